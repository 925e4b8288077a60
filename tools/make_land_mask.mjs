// Rasterises Natural Earth's land polygons into the Earth texture's land mask.
//
// Run once by hand; its output is kept in resources/ so that the C++ build never needs Node:
//   mkdir -p /tmp/landmask && (cd /tmp/landmask && npm install world-atlas@2.0.2)
//   node tools/make_land_mask.mjs /tmp/landmask/node_modules/world-atlas/land-50m.json \
//        resources/earth_land_2048x1024.pbm
//
// Output: a binary PBM (P4), 2048 x 1024, 1 = land. Row 0 is the north edge (latitude +90), column 0
// starts at longitude -180, each pixel covers 360/2048 degrees of longitude and 180/1024 of latitude, and
// a pixel is land when its centre lies inside the land polygons (even-odd rule on longitude/latitude).
// The TopoJSON is decoded here directly (quantised, delta-coded arcs), so no other package is needed.
import { readFileSync, writeFileSync } from "node:fs";

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  console.error("usage: node make_land_mask.mjs land-50m.json out.pbm");
  process.exit(2);
}
const WIDTH = 2048;
const HEIGHT = 1024;

const topology = JSON.parse(readFileSync(input, "utf8"));
const { scale, translate } = topology.transform;

// Absolute longitude/latitude of every arc point.
const arcs = topology.arcs.map((arc) => {
  let x = 0;
  let y = 0;
  return arc.map(([dx, dy]) => {
    x += dx;
    y += dy;
    return [x * scale[0] + translate[0], y * scale[1] + translate[1]];
  });
});

function ringPoints(arcIndices) {
  const points = [];
  for (const index of arcIndices) {
    const arc = index >= 0 ? arcs[index] : arcs[~index].slice().reverse();
    // Consecutive arcs share their joining point.
    points.push(...(points.length ? arc.slice(1) : arc));
  }
  return points;
}

const rings = [];
function addGeometry(geometry) {
  if (geometry.type === "GeometryCollection") geometry.geometries.forEach(addGeometry);
  else if (geometry.type === "Polygon") geometry.arcs.forEach((ring) => rings.push(ringPoints(ring)));
  else if (geometry.type === "MultiPolygon")
    geometry.arcs.forEach((polygon) => polygon.forEach((ring) => rings.push(ringPoints(ring))));
}
addGeometry(topology.objects.land);

// The polygons are spherical: a ring may cross the antimeridian, and Antarctica's ring goes once round
// the south pole. Unwrap each ring's longitudes so that it runs continuously (beyond +-180 where it
// crosses), close a ring that goes round a pole along that pole, and wrap the filled spans back onto
// the map when they are drawn.
function planarRing(ring) {
  const unwrapped = [ring[0].slice()];
  for (let i = 1; i < ring.length; ++i) {
    let x = ring[i][0];
    const previous = unwrapped[i - 1][0];
    while (x - previous > 180) x -= 360;
    while (x - previous < -180) x += 360;
    unwrapped.push([x, ring[i][1]]);
  }
  const turn = unwrapped[unwrapped.length - 1][0] - unwrapped[0][0];
  if (Math.abs(turn) > 180) {
    const meanLatitude = unwrapped.reduce((sum, p) => sum + p[1], 0) / unwrapped.length;
    const pole = meanLatitude < 0 ? -90 : 90;
    const last = unwrapped[unwrapped.length - 1][0];
    unwrapped.push([last, pole], [unwrapped[0][0], pole]);
    console.log(`ring of ${ring.length} points goes round the ${pole < 0 ? "south" : "north"} pole`);
  }
  return unwrapped;
}
const planarRings = rings.map(planarRing);

const rowBytes = WIDTH / 8;
const bits = new Uint8Array(rowBytes * HEIGHT);
let landPixels = 0;
for (let row = 0; row < HEIGHT; ++row) {
  const latitude = 90 - ((row + 0.5) * 180) / HEIGHT;
  const crossings = [];
  for (const ring of planarRings) {
    for (let i = 0; i < ring.length; ++i) {
      const [x0, y0] = ring[i];
      const [x1, y1] = ring[(i + 1) % ring.length];
      if ((y0 <= latitude) !== (y1 <= latitude)) {
        crossings.push(x0 + ((latitude - y0) * (x1 - x0)) / (y1 - y0));
      }
    }
  }
  crossings.sort((a, b) => a - b);
  // Columns whose centres lie between a pair of crossings; unwrapped spans wrap round the map.
  for (let k = 0; k + 1 < crossings.length; k += 2) {
    const first = Math.ceil(((crossings[k] + 180) * WIDTH) / 360 - 0.5);
    const last = Math.floor(((crossings[k + 1] + 180) * WIDTH) / 360 - 0.5);
    for (let c = first; c <= last; ++c) {
      const column = ((c % WIDTH) + WIDTH) % WIDTH;
      const mask = 0x80 >> (column & 7);
      // Toggling keeps the even-odd rule where spans of different rings overlap once wrapped.
      bits[row * rowBytes + (column >> 3)] ^= mask;
    }
  }
}

for (const byte of bits) for (let b = byte; b; b &= b - 1) ++landPixels;

const header = Buffer.from(
  `P4\n# Natural Earth land (public domain), longitude -180..180 by latitude 90..-90\n${WIDTH} ${HEIGHT}\n`,
  "ascii",
);
writeFileSync(output, Buffer.concat([header, Buffer.from(bits)]));
console.log(`${rings.length} rings, land ${((100 * landPixels) / (WIDTH * HEIGHT)).toFixed(1)} % of the map`);
