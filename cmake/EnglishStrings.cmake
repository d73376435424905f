# vendrel_english_strings(target): compiles the English string files of resources/strings/en
# into `target` as raw text; editing one of them re-runs the configure step.
include(${CMAKE_CURRENT_LIST_DIR}/GeneratedSource.cmake)

function(vendrel_english_strings target)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/strings/en/*.txt)
  list(SORT files)
  set(VENDREL_STRING_FILES "")
  foreach(path ${files})
    get_filename_component(name ${path} NAME_WE)
    file(READ ${path} text)
    string(FIND "${text}" ")vendrel_strings\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${path} holds the raw-string delimiter )vendrel_strings\"")
    endif()
    string(APPEND VENDREL_STRING_FILES
           "    {L\"${name}\", R\"vendrel_strings(${text})vendrel_strings\"},\n")
  endforeach()
  vendrel_generated_source(${target} EnglishStringFiles.cpp ${files})
endfunction()
