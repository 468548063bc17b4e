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
bash scripts/build.sh
program=$root/build/src/app/skerra
# The program was built into build/src/shell/ before; its settings file comes along once.
if [[ -f $root/build/src/shell/skerra.INI && ! -e $root/build/src/app/skerra.INI ]]; then
  cp "$root/build/src/shell/skerra.INI" "$root/build/src/app/skerra.INI"
fi

if ((real)); then
  exec "$program"
fi

demo=$root/build/demo
mkdir -p "$demo"
sed -e "/^;/! s|@GNSS_PORT@|$demo/gnss|" -e "/^;/! s|@SOUNDER_PORT@|$demo/sounder|" \
    -e "/^;/! s|@SBES_MESSAGE@|$message|" -e "/^;/! s|@SBES_FORMAT@|$format|" \
    -e "/^;/! s|@GYRO@|$gyro|" \
    scripts/demo/skerra-demo.INI > "$demo/skerra-demo.INI"

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
echo "      settings $demo/skerra-demo.INI, survey data below $demo/QMT/"
"$program" --settings "$demo/skerra-demo.INI" --data-root "$demo/QMT"
