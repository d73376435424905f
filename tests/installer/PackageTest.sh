#!/bin/bash
# The installer package under wine, on a fresh prefix: PackageTest.sh PACKAGE NEWER CLIENT.VBS
# Installs quietly, compares its registration with regsvr32's, creates the add-in from a script,
# runs an action through the installed DLL with the UI support libraries, upgrades in place,
# refuses an older package over the newer, and uninstalls without a trace.
# WINEPREFIX names the prefix; it is made anew.
set -euo pipefail
package=$(realpath "$1") newer=$(realpath "$2") client=$(realpath "$3")
export WINEDEBUG=-all
scratch=$WINEPREFIX.files
rm -rf "$WINEPREFIX" "$scratch"
mkdir -p "$scratch"
trap 'wineserver -k 2>/dev/null || true' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

drive=$WINEPREFIX/drive_c
program="C:\\Program Files\\Vendrel"
dll="$program\\vendrel.dll"
exe="$program\\vendrel.exe"
key='Software\Zentrik\Applications\Pelmora Enterprise'
failed=$((1603 % 256))  # msiexec's install failure, as wine passes an exit code on

# An export as sorted lines, a key alone or KEY|VALUE, with wrapped values joined.
registry() {
  local file=$scratch/export.reg
  wine reg export "$1" "$file" /y >/dev/null
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
    awk '/\\$/ { sub(/\\$/, ""); held = held $0; next }
         { line = held $0; held = "" }
         /^\[/ { key = line; print key; next }
         line != "" { print key "|" line }' | LC_ALL=C sort
}

# Keys and values added since a snapshot, less the machine's own: the installer service's empty
# containers, the state of services, network cards and the display driver.
added() {
  LC_ALL=C comm -13 "$1" <(registry "$2") |
    grep -v -e '\\Installer\(\\[A-Za-z0-9-]*\)*\]$' -e '\\Control\\ServiceCurrent\]' \
            -e '\\NetworkCards\\' -e '\\Control\\Video[]\]' || true
}

msiexec() {
  local status=0
  wine msiexec "$@" </dev/null >/dev/null 2>&1 || status=$?
  echo "$status"
}

vendrel() {
  wine "$exe" "$@" </dev/null
}

# What a script gets when it creates the add-in by its ProgID.
created() {
  wine cscript //nologo "$(winepath -w "$client")" </dev/null | tr -d '\r'
}

# The version of each installed product named Vendrel, one a line.
installed() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null |
    tr -d '\r' | awk '/^HKEY/ { name = ""; version = "" }
                      $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
                      name == "Vendrel" && version != "" { print version; name = "" }'
}

echo "== a fresh prefix"
mkdir -p "$WINEPREFIX"
wineserver -p60  # one server for all the steps
WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i </dev/null >/dev/null 2>&1
# The script host registers its own type library when it first runs.
echo >"$scratch/empty.vbs"
wine cscript //nologo "$(winepath -w "$scratch/empty.vbs")" </dev/null
registry HKLM >"$scratch/hklm.before"
registry HKCR >"$scratch/hkcr.before"

echo "== the UI support libraries without the host's Location are refused before any copy"
[[ $(msiexec /i "$package" /qn ADDLOCAL=ALL) == "$failed" ]] || fail "installed without Location"
[[ ! -e $drive/Program\ Files/Vendrel ]] || fail "files were copied"

echo "== install"
[[ $(msiexec /i "$package" /qn) == 0 ]] || fail "msiexec /i"
for file in vendrel.dll vendrel.exe; do
  [[ -f $drive/Program\ Files/Vendrel/$file ]] || fail "$file is not installed"
done

echo "== the package's registration is regsvr32's"
registry HKCR >"$scratch/hkcr.package"
grep -q '^\[HKEY_CLASSES_ROOT\\Vorn.VornAddIn.1\]' "$scratch/hkcr.package" ||
  fail "Vorn.VornAddIn.1 is not registered"
wine regsvr32 /s /u "$dll"
if registry HKCR | grep -q 'Vorn.VornAddIn'; then fail "regsvr32 /u left keys"; fi
wine regsvr32 /s "$dll"
diff <(registry HKCR) "$scratch/hkcr.package" || fail "regsvr32 and the package differ"

echo "== a script creates the add-in by its ProgID"
object=$(created)
[[ $object == IVornAddIn ]] || fail "cscript: $object"

echo "== vendrel.exe refuses without the host's Location"
cd "$scratch"
vendrel init plain --user Chief >/dev/null
status=0
message=$(vendrel --vault plain registered 2>&1 >/dev/null) || status=$?
echo "$message"
[[ $status == 2 && $message == *Location*"$key"* ]] || fail "exit $status: $message"

echo "== with the UI support libraries in the host's folder, an action runs through the DLL"
mkdir -p "$drive/Host"
echo host >"$drive/Host/host.exe"
vendrel init v --user Chief --root 'C:\Demo' --host-folder 'C:\Host' >/dev/null
[[ $(msiexec /i "$package" /qn ADDLOCAL=ALL) == 0 ]] || fail "msiexec /i ADDLOCAL=ALL"
for file in Lexicor.dll Glyphex.dll Alertik.dll Iconel.dll; do
  [[ -f $drive/Host/$file ]] || fail "$file is not in the host's folder"
done
cat >actions.json <<'END'
{"format": "action-file", "version": 1600, "actions": [
 {"id": 102, "name": "Back up selected files", "menuText": "Backup\\Selected files",
  "activation": ["menu"],
  "commands": [{"type": 14, "summary": "C:\\Backup", "path": "C:\\Backup"},
               {"type": 4, "summary": ""},
               {"type": 19, "summary": "", "from": "%PathToSelectedFile%",
                "to": "C:\\Backup\\%NameOfSelectedFile%"},
               {"type": 5, "summary": ""}]}]}
END
printf 'The plan.\n' >plan.txt
vendrel acn from-json actions.json -o actions.acn >/dev/null
vendrel --vault v import actions.acn >/dev/null
vendrel --vault v add plan.txt --to 'C:\Demo' >/dev/null
vendrel --vault v registered | grep -q 'Backup\\Selected files' || fail "the menu is not registered"
vendrel --vault v menu 'Backup\Selected files' plan.txt >/dev/null
[[ $(tr -d '\r' <"$drive/Backup/plan.txt") == "The plan." ]] || fail "no backup"

echo "== a newer package upgrades in place; an older one is refused over it"
older=$(installed)
[[ $(msiexec /i "$newer" /qn) == 0 ]] || fail "msiexec /i newer"
[[ $(installed | wc -l) == 1 && $(installed) != "$older" ]] ||
  fail "installed after the upgrade: $(installed) (before: $older)"
[[ $(created) == IVornAddIn ]] || fail "the add-in is not creatable after the upgrade"
[[ $(msiexec /i "$package" /qn) == "$failed" ]] || fail "the older package replaced the newer"
[[ -f $drive/Program\ Files/Vendrel/vendrel.dll ]] || fail "the refused package removed files"

echo "== uninstall leaves no file and no key"
[[ $(msiexec /x "$newer" /qn) == 0 ]] || fail "msiexec /x"
[[ ! -e $drive/Program\ Files/Vendrel ]] || fail "Program Files\\Vendrel is left"
[[ $(ls "$drive/Host") == host.exe ]] || fail "left in the host's folder: $(ls "$drive/Host")"
# What the test itself made: the host's key, as the host's own uninstall would remove it.
wine reg delete 'HKLM\Software\Zentrik' /f >/dev/null
left=$(added "$scratch/hklm.before" HKLM; added "$scratch/hkcr.before" HKCR)
[[ -z $left ]] || fail "keys left: $left"
echo "passed"
