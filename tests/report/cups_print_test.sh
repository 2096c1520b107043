# Runs a test command printing on a private CUPS scheduler (own folder and socket) with one cups-pdf queue.
# Usage: bash cups_print_test.sh <test command...>; QID_KEEP=1 keeps its folder. Skips (77) when not root,
# when CUPS or cups-pdf is missing, or when the scheduler does not start.
set -euo pipefail
skip() { echo "SKIPPED: $*"; exit 77; }

[ "$(id -u)" -eq 0 ] || skip "starting a CUPS scheduler and running cups-pdf needs root"
command -v cupsd >/dev/null && command -v lpadmin >/dev/null || skip "CUPS is missing (scripts/deps installs cups)"
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x "$backend" ] && [ -f "$ppd" ] || skip "cups-pdf is not installed (scripts/deps installs printer-driver-cups-pdf)"

dir=$(mktemp -d /tmp/quenla-cups.XXXXXX)
queue=quenla_test_$$
# cups-pdf reads the settings of a queue from this fixed place.
queue_conf=/etc/cups/cups-pdf-$queue.conf
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  rm -f "$queue_conf"
  [ -n "${QID_KEEP:-}" ] || rm -rf "$dir"
}
trap cleanup EXIT

# The filters run as lp: the folders must let them through.
chmod 755 "$dir"
mkdir -p "$dir"/{spool,cache,state,log}
mkdir -p -m 1777 "$dir"/{out,pdf-spool,tmp}
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
CONF
printf 'Out %s\nSpool %s\nAnonDirName %s\nLog %s\n' "$dir/out" "$dir/pdf-spool" "$dir/out" "$dir/log" >"$queue_conf"

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
pid=$!
export CUPS_SERVER=$dir/cups.sock
for _ in $(seq 100); do
  [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "cupsd did not start:"; cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20
  skip "the CUPS scheduler could not be started here"
fi
# Unprintable margins unequal on every side, on A4 and US Letter: a quarter inch on the left, half an
# inch on the right and at the top, a third of an inch at the bottom.
sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 24 559 806"|' \
    -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "18 24 576 756"|' "$ppd" >"$dir/margins.ppd"
# PDF to PostScript through cairo, which keeps the text readable in the end.
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$dir/margins.ppd" -o pdftops-renderer-default=pdftocairo \
  2>/dev/null
lpadmin -d "$queue"

status=0
QID_CUPS_QUEUE=$queue QID_CUPS_OUT=$dir/out QT_QPA_PLATFORM=offscreen timeout 180 "$@" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- CUPS error log (last lines)"; grep -E '^[EW]' "$dir/log/error_log" | tail -20 || true
fi
exit "$status"
