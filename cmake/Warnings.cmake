# Warnings apply to our own targets only; third-party code is built with its own flags.
function(vendrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
