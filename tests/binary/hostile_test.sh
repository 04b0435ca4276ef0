# One hostile colours.txt through the real binary: the window comes up, one
# line says what happened, a frame is drawn, Escape ends it with status 0.
# With WEB_SITE set, the same through the web page as its site's colours.txt.
# Usage: hostile_test.sh BINARY SOURCE FRAMESLIB CASE
. "$(dirname "$0")/lib.sh"
CASE=$1
f="$WORK/colours.txt"
samples() { for ((k = 0; k < $1; k++)); do printf '0.%d ' $((k % 10)); done; }
header='colours.txt does not start with two integers \(width, components\)\n'
case $CASE in
missing)       want="Where's colours.txt\?!\n" ;;
empty)         : >"$f"; want="Got it!\n$header" ;;
header-only)   printf '256 3\n' >"$f"
               want='Got it!\n256 3\n768\nOnly 0 of 768 samples in colours.txt, the rest are 0\n' ;;
width-2p28)    printf '268435456 3\n0.5\n' >"$f"
               want='Got it!\ncolours.txt asks for 268435456 texels, more than the [0-9]+ this GL allows\n' ;;
width-2p31)    printf '2147483648 3\n0.5\n' >"$f"; want="Got it!\n$header" ;;
width-2p32)    printf '4294967296 3\n0.5\n' >"$f"; want="Got it!\n$header" ;;
int-min)       printf -- '-2147483648 3\n0.5\n' >"$f"
               want='Got it!\ncolours.txt asks for 2147483648 texels, more than the [0-9]+ this GL allows\n' ;;
text-header)   printf 'wide three\n0.5\n' >"$f"; want="Got it!\n$header" ;;
text-samples)  printf '4 3\n0.1 0.2 0.3 0.4 0.5 0.6 half 0.8 0.9 1 1 1\n' >"$f"
               want='Got it!\n4 3\n12\nOnly 6 of 12 samples in colours.txt, the rest are 0\n' ;;
components-5)  printf -- '4 -5\n0.1 0.4 0.7 1\n' >"$f"; want='Got it!\n4 1\n4' ;;
components99)  { printf '2 99\n'; samples 8; } >"$f"; want='Got it!\n2 4\n8' ;;
hundred-mb)    { printf '256 3\n'; head -c 100000000 < <(yes '0.25 0.5 0.75'); } >"$f"
               want='Got it!\n256 3\n768' ;;
nul-bytes)     printf '8 3\n0.5\0 0.5 0.5\n' >"$f"
               want='Got it!\n8 3\n24\nOnly 1 of 24 samples in colours.txt, the rest are 0\n' ;;
directory)     mkdir "$f"; want='colours.txt is a directory, not a regular file\n' ;;
fifo)          [ -z "$LAUNCH" ] || skip "Windows has no FIFO for colours.txt to be"
               [ -z "${WEB_SITE:-}" ] || skip "a web server serves no FIFO"
               mkfifo "$f"; want='colours.txt is a FIFO, not a regular file\n' ;;
crlf)          { printf '4\r\n3\r\n'; for k in 1 2 3 4; do printf '0.1 0.5 0.9\r\n'; done; } >"$f"
               want='Got it!\n4 3\n12' ;;
exponents)     printf '4 3\n1e-1 5E-1 9e-1 1.0e0 2.5e-1 0 1E0 1e-3 .5e0 3e-1 6e-1 1e0\n' >"$f"
               want='Got it!\n4 3\n12' ;;
*)             fail "no case $CASE" ;;
esac

if [ -n "${WEB_SITE:-}" ]; then
    browse
else
    start_xvfb 800x600
    start_viewer
    wait_for "no frame drawn" drawn
    quit_viewer
fi

python3 - "$WORK/stdout" "$want" <<'PY' || fail "standard output: $(tail -c 300 "$WORK/stdout" | od -c | head -5)"
import re, sys
out = open(sys.argv[1], 'rb').read().decode('latin-1').replace('\r\n', '\n')  # Windows' text mode
at = out.index('\nGetting colours.txt..')
assert re.fullmatch(r'Getting colours\.txt\.\.' + sys.argv[2], out[at + 1:]), repr(out[at:])
PY
echo "hostile $CASE: ok"
