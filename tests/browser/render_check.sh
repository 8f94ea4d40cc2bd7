#!/usr/bin/env bash
# Renders the --svg diagram of one example per case family in headless Chromium and checks
# that each picture is not blank and shows its curve colours.  Installs Chromium through apt
# when it is missing.  Usage: tests/browser/render_check.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bin=$build/tidewerk
out=$build/browser

if ! command -v chromium >/dev/null; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q chromium
fi

kt='#1f5fbf' kq='#c8321e' eta='#2a9d3a'
# example : what is typed at the keyboard : colours the picture must show
families=(
  "case5_b::$kt $kq $eta"
  "case6_operating_point_b::$kt $kq $eta"
  "case8_merchant_ship::$kt $kq $eta"
  "case1_merchant_ship_b::$eta"
  "case7_bp_delta_b::$kt $kq $eta"
  "case4_tug_b:2:$kt"
)

rm -rf "$out" && mkdir -p "$out"
for family in "${families[@]}"; do
  name=${family%%:*}
  rest=${family#*:}
  keys=${rest%%:*}
  colours=${rest#*:}
  dir=$out/$name
  mkdir -p "$dir"
  cp "$root/examples/$name.Tsk" "$dir/Tidewerk_28-03-2020.Tsk"
  printf '%s\n' "$keys" > "$dir/keyboard.txt"
  (cd "$dir" && "$bin" --svg < keyboard.txt > screen.txt)
  test -s "$dir/Tidewerk.svg" || { echo "$name: no diagram written"; exit 1; }
  timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync \
      --user-data-dir="$dir/profile" --window-size=800,560 \
      --screenshot="$out/$name.png" "file://$dir/Tidewerk.svg" > "$dir/chromium.log" 2>&1
  # shellcheck disable=SC2086
  python3 "$root/tests/browser/png_colours.py" "$out/$name.png" $colours
done
echo "all diagrams rendered"

# The study's page: both diagrams side by side in the first screen, each told by a colour of
# its own (the MCR line of the speed-power curves, the service points of the open-water one).
dir=$out/study
mkdir -p "$dir"
"$bin" study -q --html -o "$dir" "$root/examples/study_holtrop_mennen_ship.toml" > "$dir/screen.txt"
test -s "$dir/study_holtrop_mennen_ship.html" || { echo "study: no page written"; exit 1; }
timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$dir/profile" --window-size=1400,820 \
    --screenshot="$out/study.png" "file://$dir/study_holtrop_mennen_ship.html" > "$dir/chromium.log" 2>&1
python3 "$root/tests/browser/png_colours.py" "$out/study.png" "$kt" "$kq" "$eta" '#e08a00' '#8a2be2'
echo "the study's page rendered"
