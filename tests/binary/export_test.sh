# The landscape written out by the real binary with no display: each format
# read back by its own readers (the Khronos glTF validator, ImageMagick),
# the options answered, and each failure saying so in one line and leaving
# no file, no temporary and any older file as it was.
# Usage: export_test.sh BINARY SOURCE FRAMESLIB GLTF_VALIDATOR_FOLDER
. "$(dirname "$0")/lib.sh"
validator=$1 second=1767225761
unset DISPLAY
cd "$WORK" && cp "$SRC/colours.txt" . && chmod 755 "$WORK"
run() { local rc=0; "$@" >out 2>err || rc=$?; echo "$rc"; }

[ "$(run "$BIN" --help)" = 0 ] && grep -q '^Usage: vellmoor \[--at SECONDS\] \[--export FILE\]' out ||
    fail "--help: $(cat out err)"
[ "$(run "$BIN" --version)" = 0 ] && grep -qx 'Vellmoor [0-9]*\.[0-9]*\.[0-9]*' out || fail "--version: $(cat out err)"
for f in glb png r16; do
    [ "$(run "$BIN" --at "$second" --export "land.$f")" = 0 ] && [ ! -s err ] || fail "--export land.$f: $(cat err)"
done
[ "$(stat -c %s land.r16)" = $((501 * 501 * 2)) ] || fail "land.r16 is not 501 x 501 16-bit samples"

node - "$validator" land.glb <<'JS' || fail "the glTF validator finds fault with land.glb (above)"
const [validator, file] = process.argv.slice(2);
require(validator + '/node_modules/gltf-validator').validateBytes(new Uint8Array(require('fs').readFileSync(file)))
  .then(r => {
    const i = r.issues;
    console.log(`glb: ${i.numErrors} errors, ${i.numWarnings} warnings, ${i.numInfos} infos`);
    i.messages.filter(m => m.severity < 2).forEach(m => console.log(m.code, m.pointer || '', m.message));
    process.exit(i.numErrors + i.numWarnings ? 1 : 0);
  }, e => { console.log(e); process.exit(1); });
JS
# The map's text turns its samples back into the mesh's heights: the same
# lowest and highest as the mesh's bounds.
read -r lo hi < <(grep -ao '"min":\[[^]]*\],"max":\[[^]]*\]' land.glb | tr '[],' '   ' | awk '{ print $3, $7 }')
png=$(identify -format '%w %h %z %[colorspace] %[Lowest height] %[Highest height] %[Landscape second]' land.png)
[ "$png" = "501 501 16 Gray $lo $hi $second" ] || fail "land.png: $png, not 501 501 16 Gray $lo $hi $second"
cmp <(convert land.png -depth 16 -endian LSB gray:-) land.r16 || fail "land.png's samples are not land.r16's"

# Failures: the status, one line on standard error, and nothing left.
echo older >kept.glb
mkdir readonly && chmod 555 readonly
user=("$BIN")
if [ "$(id -u)" = 0 ]; then  # root writes anywhere: a copy of the binary run as nobody
    cp "$BIN" copy && user=(env -u LD_PRELOAD -u LSAN_OPTIONS runuser -u nobody -- ./copy)
fi
while read -r status target why args; do
    eval "set -- $args"
    rc=$(run "$@")
    [ "$rc" = "$status" ] && [ "$(wc -l <err)" = 1 ] && grep -q "$why" err ||
        fail "$* ended $rc, not $status with one line saying '$why': $(cat err)"
    [ ! -e "$target" ] || [ "$target" = kept.glb ] || fail "$* left $target"
done <<'CASES'
1 nowhere/land.glb No.such.file "$BIN" --at 1 --export nowhere/land.glb
1 colours.txt/land.glb Not.a.directory "$BIN" --export colours.txt/land.glb
1 land.obj .glb.*.png.*.r16 "$BIN" --export land.obj
2 other.glb whole.second.from.0.to.253402300799 "$BIN" --at 253402300800 --export other.glb
2 - unknown.option "$BIN" --glb
1 readonly/land.glb Permission.denied "${user[@]}" --export readonly/land.glb
1 kept.glb File.too.large bash -c 'ulimit -f 1000 && exec "$0" "$@"' "$BIN" --export kept.glb
CASES
[ "$(cat kept.glb)" = older ] || fail "a failed export changed the older kept.glb"
left=$(ls -A . readonly | grep -vx copy | tr '\n' ' ')
[ "$left" = ".: colours.txt err kept.glb land.glb land.png land.r16 out readonly  readonly: " ] ||
    fail "a failure left a file behind: $left"
echo "export: ok"
