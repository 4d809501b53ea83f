// Prints the seconds iptv-playlist-parser takes to parse a playlist (reading the file into a
// string is not counted), followed by the number of items it found.
//   node bench/parse-with-iptv-playlist-parser.mjs FILE
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const parser = createRequire(import.meta.url)('iptv-playlist-parser');
const content = readFileSync(process.argv[2], 'utf8');
const start = process.hrtime.bigint();
const playlist = parser.parse(content);
const seconds = Number(process.hrtime.bigint() - start) / 1e9;
console.log(`${seconds.toFixed(3)} ${playlist.items.length}`);
