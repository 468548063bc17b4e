#!/usr/bin/env bash
# Installs what is missing, builds Skerra and starts it.
#
#   bash scripts/run.sh              a demo: skerra-simulator plays a survey in Izmir Bay
#                                    on two pseudo-terminals, Skerra runs on a demo
#                                    settings profile and a demo data folder
#   bash scripts/run.sh --real       Skerra with your own settings file and data folder,
#                                    for the real GNSS receiver and echo sounder
#
# Other options go to the simulator (for instance --speed-up 5, --sounder dbt, --seed 3;
# see skerra-simulator --help); --sounder also sets the demo's echo-sounder type.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

real=0
sounder=dpt
gyro=1
simulator_args=()
while (($#)); do
  case "$1" in
    --real) real=1 ;;
    --sounder)
      (($# >= 2)) || { echo "run.sh: --sounder needs a type" >&2; exit 2; }
      sounder=$2; simulator_args+=("$1" "$2"); shift ;;
    --sounder=*) sounder=${1#*=}; simulator_args+=("$1") ;;
    --no-hdt) gyro=0; simulator_args+=("$1") ;;  # the heading then comes from the course
    *) simulator_args+=("$1") ;;
  esac
  shift
done

# The message type and scan format the settings window uses for each sounder type.
case "$sounder" in
  dpt) message="NMEA DPT"; format="%*6s,%lf" ;;
  dbt) message="NMEA DBT"; format="%*6s,%*lf,%*1s,%lf" ;;
  smt) message="Halvek SMT"; format="%*8s,%lf,%lf" ;;
  xdr-hi) message="Halvek XDR HI"; format="%*8s,%lf" ;;
  xdr-lo) message="Halvek XDR LO"; format="%*8s,%*lf,%*8s,%lf" ;;
  xdr-hl) message="Halvek XDR H/L"; format="%*8s,%lf,%*8s,%lf" ;;
  odc) message="ODC HI"; format="%*42s,%lf" ;;
  *) echo "run.sh: unknown sounder type '$sounder' (dpt, dbt, smt, xdr-hi, xdr-lo, xdr-hl, odc)" >&2; exit 2 ;;
esac

if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-} ]]; then
  echo "run.sh: Skerra needs a display (DISPLAY or WAYLAND_DISPLAY is not set)" >&2
  exit 1
fi

bash scripts/install-deps.sh
# Only what runs: the program (with its language files) and the simulator; the
# tests and benchmarks are built by scripts/test.sh.
if ((real)); then
  bash scripts/build.sh skerra
else
  bash scripts/build.sh skerra skerra-simulator
fi
program=$root/build/src/app/skerra
# The program was built into build/src/shell/ before; its settings file comes along once.
if [[ -f $root/build/src/shell/skerra.INI && ! -e $root/build/src/app/skerra.INI ]]; then
  cp "$root/build/src/shell/skerra.INI" "$root/build/src/app/skerra.INI"
fi

if ((real)); then
  exec "$program"
fi

# Sets keys of an INI file in place: each argument is "SECTION|KEY|VALUE". Sections
# and keys match without regard to letter case and blanks, as the program reads them;
# a missing key is added at the end of its section, a missing section at the end of
# the file. Every other line keeps its bytes (and its CR LF).
set_ini_keys() {
  local file=$1
  shift
  SETS=$(printf '%s\n' "$@") awk '
    function norm(s) { gsub(/^[ \t]+|[ \t\r]+$/, "", s); return tolower(s) }
    function addMissing(section,   i) {
      for (i = 1; i <= n; i++)
        if (!done[i] && sec[i] == section) { print keyName[i] "=" val[i] eol; done[i] = 1 }
    }
    BEGIN {
      count = split(ENVIRON["SETS"], list, "\n")
      n = 0
      for (j = 1; j <= count; j++) {
        if (list[j] == "") continue
        split(list[j], f, "|")
        n++; secName[n] = f[1]; sec[n] = norm(f[1]); keyName[n] = f[2]; key[n] = norm(f[2]); val[n] = f[3]
      }
      current = ""; eol = ""
    }
    {
      line = $0
      if (line ~ /\r$/) eol = "\r"
      if (line ~ /^[ \t]*\[/) {
        addMissing(current)
        name = line; sub(/^[ \t]*\[/, "", name); sub(/\][ \t\r]*$/, "", name)
        current = norm(name); seen[current] = 1
        print line; next
      }
      if (line !~ /^[ \t]*[;#]/ && index(line, "=") > 0) {
        k = norm(substr(line, 1, index(line, "=") - 1))
        for (i = 1; i <= n; i++)
          if (sec[i] == current && key[i] == k) {
            print keyName[i] "=" val[i] (line ~ /\r$/ ? "\r" : ""); done[i] = 1; next
          }
      }
      print line
    }
    END {
      addMissing(current)
      for (i = 1; i <= n; i++)
        if (!done[i]) { print "[" secName[i] "]" eol; addMissing(sec[i]) }
    }' "$file" > "$file.new"
  mv "$file.new" "$file"
}

# The demo profile is made once from scripts/demo/skerra-demo.INI and then kept, with
# the chart, window places, NTRIP profile and profile use the demo stored in it; later
# starts only put in the simulator's ports and the chosen sounder type. Remove
# build/demo/skerra-demo.INI to start afresh from the template.
demo=$root/build/demo
profile=$demo/skerra-demo.INI
mkdir -p "$demo"
if [[ ! -f $profile ]]; then
  cp scripts/demo/skerra-demo.INI "$profile"
fi
set_ini_keys "$profile" \
  "GPS1 COMUNICATION SETTINGS|Port No|$demo/gnss" \
  "SENSOR COMUNICATION SETTINGS|Port No|$demo/sounder" \
  "SENSOR COMUNICATION SETTINGS|cSBESMessage|$message" \
  "SENSOR COMUNICATION SETTINGS|eSBESFormat|$format" \
  "GYRO|Gyro Enabled|$gyro"

"$root/build/src/devices/simulator/skerra-simulator" \
  --gnss-link "$demo/gnss" --sounder-link "$demo/sounder" "${simulator_args[@]}" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
  [[ -L $demo/gnss && -L $demo/sounder ]] && break
  kill -0 "$simulator" 2>/dev/null || { echo "run.sh: the simulator did not start" >&2; exit 1; }
  sleep 0.1
done

echo "Demo: GNSS on $demo/gnss, echo sounder ($message) on $demo/sounder;"
echo "      settings $profile, survey data below $demo/QMT/"
"$program" --settings "$profile" --data-root "$demo/QMT"
