#!/usr/bin/env bash
# make run: runs the program on examples/<example>.Tsk, copied as <example>.Tsk into a scratch
# folder, with the extra arguments given; then says where the run's files went.
#   scripts/run_example.sh PROGRAM FOLDER EXAMPLE [ARGUMENTS...]
set -uo pipefail
program=$(realpath "$1") folder=$2 example=$3
shift 3
rm -rf "$folder" && mkdir -p "$folder"
cp "examples/$example.Tsk" "$folder/$example.Tsk"
touch "$folder/.started"

# The output folder of -o DIR / --output-dir DIR / --output-dir=DIR, relative to the folder.
outputs=.
check=no
previous=
for argument in "$@"; do
  case "$previous" in -o|--output-dir) outputs=$argument ;; esac
  case "$argument" in
    --output-dir=*) outputs=${argument#--output-dir=} ;;
    --check) check=yes ;;
  esac
  previous=$argument
done

(cd "$folder" && "$program" "$@" "$example.Tsk")
status=$?
if [ "$check" = yes ]; then
  echo "(--check writes no file)"
else
  where=$outputs
  case "$where" in /*) ;; .) where=$folder ;; *) where=$folder/$outputs ;; esac
  written=$(find "$where" -maxdepth 1 -type f -newer "$folder/.started" ! -name '.*' 2>/dev/null |
            sort | tr '\n' ' ')
  if [ -n "$written" ]; then
    echo "(written: ${written% })"
  else
    echo "(no file written)"
  fi
fi
rm -f "$folder/.started"
exit $status
