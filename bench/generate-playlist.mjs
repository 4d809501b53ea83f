// Writes a realistic extended M3U playlist for the reader benchmark.
//   node bench/generate-playlist.mjs ENTRIES OUTPUT [SEED] [LARGEST]
// About 2,000 groups with Zipf-like sizes, listed group after group; 70 % of the entries are
// live addresses (no extension or .m3u8), 30 % VOD files (.mp4, .mkv, .avi, some followed by
// ?token=...); names in Latin with diacritics, Cyrillic, Greek, Arabic and Han script; 1 % of
// the entries carry a parent-code; CR LF line ends. As in real playlists, about 10 % of the
// entries carry attributes beyond tvg-id, tvg-name, tvg-logo and group-title (tvg-chno,
// catchup, tvg-language, user-agent, ...) and about 7 % of the live entries option lines between
// their #EXTINF: line and the address (#EXTVLCOPT: user agent or referrer, #KODIPROP:). These
// come from a random sequence of their own: without them the file is the one the earlier
// generator wrote. The same arguments give the same file. With LARGEST, the first group holds
// exactly that many entries and the others share the rest.
import { createWriteStream } from 'node:fs';

const entries = Number(process.argv[2]);
const output = process.argv[3];
const seed = Number(process.argv[4] ?? 20240601);
const largest = process.argv[5] === undefined ? 0 : Number(process.argv[5]);
if (!Number.isInteger(entries) || entries <= 0 || !output || !Number.isInteger(largest) ||
    largest < 0 || largest >= entries) {
    console.error('usage: node generate-playlist.mjs ENTRIES OUTPUT [SEED] [LARGEST]');
    process.exit(2);
}

function mulberry32(a) {
    return () => {
        a |= 0;
        a = (a + 0x6d2b79f5) | 0;
        let t = Math.imul(a ^ (a >>> 15), 1 | a);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}
const random = mulberry32(seed);
const pick = (list) => list[Math.floor(random() * list.length)];
const extraRandom = mulberry32(seed ^ 0x5eed);
const extraPick = (list) => list[Math.floor(extraRandom() * list.length)];

const agents = [
    'Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/149.0.0.0 Safari/537.36',
    'Mozilla/5.0 (iPhone; CPU iPhone OS 12_2 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Mobile/15E148',
    'VLC/3.0.20 LibVLC/3.0.20',
];
// Attributes that no column holds, as they follow group-title; '' for most entries.
function extraAttributes(number) {
    const r = extraRandom();
    if (r < 0.04) return ` tvg-chno="${number % 1000}" catchup="default" catchup-days="7"`;
    if (r < 0.07) return ` tvg-language="${extraPick(['English', 'Español', 'Русский'])}" tvg-country="${extraPick(['US', 'ES', 'RU'])}"`;
    if (r < 0.10) return ` user-agent="${extraPick(agents)}"`;
    return '';
}
// Option lines between a live entry's #EXTINF: line and its address; '' for most entries.
function optionLines() {
    const r = extraRandom();
    if (r < 0.04) return `#EXTVLCOPT:http-user-agent=${extraPick(agents)}\r\n`;
    if (r < 0.06) return `#EXTVLCOPT:http-referrer=https://portal${Math.floor(extraRandom() * 50)}.example.com/\r\n`;
    if (r < 0.07) return '#KODIPROP:inputstream.adaptive.manifest_type=hls\r\n#EXTVLCOPT:http-user-agent=Kodi/20.2\r\n';
    return '';
}

const scripts = [
    { prefix: ['UK', 'US', 'DE', 'FR', 'IT', 'ES', 'NL'], words: ['Sports', 'News', 'Movies', 'Kids', 'Music', 'Documentary', 'Entertainment', 'Series'], names: ['Sky', 'BBC', 'Canal', 'Rai', 'Movistar', 'Discovery', 'Eurosport', 'Nickelodeon', 'History'] },
    { prefix: ['HR', 'SI', 'RS', 'BA', 'CZ'], words: ['Šport', 'Vijesti', 'Filmovi', 'Dječji', 'Glazba', 'Dokumentarni', 'Zábava'], names: ['Nova', 'Arena Šport', 'Pink', 'Čarli', 'Žena', 'Đir', 'RTS', 'Studio B'] },
    { prefix: ['RU', 'UA', 'BG'], words: ['Спорт', 'Новости', 'Кино', 'Детские', 'Музыка', 'Сериалы'], names: ['Первый', 'Россия', 'НТВ', 'Матч ТВ', 'Карусель', 'Дом Кино'] },
    { prefix: ['GR', 'CY'], words: ['Αθλητικά', 'Ειδήσεις', 'Ταινίες', 'Παιδικά'], names: ['ΕΡΤ', 'Σκάι', 'Άλφα', 'Μακεδονία'] },
    { prefix: ['AR', 'SA', 'EG'], words: ['رياضة', 'أخبار', 'أفلام', 'أطفال'], names: ['الجزيرة', 'العربية', 'روتانا', 'إم بي سي'] },
    { prefix: ['CN', 'TW', 'HK'], words: ['体育', '新闻', '电影', '少儿', '综艺'], names: ['中央电视台', '凤凰卫视', '湖南卫视', '东方卫视'] },
];

// Group sizes: Zipf-like weights over about 2,000 groups, at least one entry each.
const groupCount = Math.min(2000, largest > 0 ? entries - largest + 1 : entries);
const weights = Array.from({ length: groupCount }, (_, k) => 1 / Math.pow(k + 1, 0.9));
const total = weights.reduce((a, b) => a + b, 0);
const sizes = weights.map((w) => Math.max(1, Math.floor((w / total) * entries)));
let assigned = sizes.reduce((a, b) => a + b, 0);
for (let k = 0; assigned < entries; k = (k + 1) % groupCount, ++assigned) sizes[k] += 1;
for (let k = groupCount - 1; assigned > entries; k = k > 0 ? k - 1 : groupCount - 1) {
    if (sizes[k] > 1) { sizes[k] -= 1; --assigned; }
}
if (largest > 0) {
    // Give the first group its size; take the difference from (or give it to) the others in turn.
    let excess = largest - sizes[0];
    sizes[0] = largest;
    for (let k = 1; excess > 0; k = k + 1 < groupCount ? k + 1 : 1) {
        if (sizes[k] > 1) { sizes[k] -= 1; --excess; }
    }
    for (let k = 1; excess < 0; k = k + 1 < groupCount ? k + 1 : 1) { sizes[k] += 1; ++excess; }
}

// About 30 % of the entries are VOD: whole groups are VOD groups, taken in random order.
const order = Array.from({ length: groupCount }, (_, k) => k).sort(() => random() - 0.5);
const isVod = new Array(groupCount).fill(false);
let vodEntries = 0;
for (const k of order) {
    if (vodEntries + sizes[k] <= entries * 0.3) { isVod[k] = true; vodEntries += sizes[k]; }
}

const out = createWriteStream(output);
let buffer = '#EXTM3U x-tvg-url="http://epg.example.net/guide.xml.gz"\r\n';
let number = 0;
const flush = async (force) => {
    if (buffer.length < (1 << 20) && !force) return;
    if (!out.write(buffer)) await new Promise((resolve) => out.once('drain', resolve));
    buffer = '';
};

for (let k = 0; k < groupCount; ++k) {
    const script = scripts[k % scripts.length];
    const group = `${pick(script.prefix)} | ${pick(script.words)}${isVod[k] ? ' VOD' : ''} ${k + 1}`;
    for (let i = 0; i < sizes[k]; ++i) {
        ++number;
        const name = `${pick(script.names)} ${isVod[k] ? pick(script.words) + ' ' : ''}${number}${random() < 0.3 ? ' HD' : ''}`;
        const id = `ch${number % 50000}.${script.prefix[0].toLowerCase()}`;
        const logo = `http://logos.example.org/picons/${number % 50000}.png`;
        const parent = random() < 0.01 ? ` parent-code="${1000 + (number % 9000)}"` : '';
        buffer += `#EXTINF:-1 tvg-id="${id}" tvg-name="${name}" tvg-logo="${logo}"${parent} group-title="${group}"${extraAttributes(number)},${name}\r\n`;
        if (!isVod[k]) buffer += optionLines();
        if (isVod[k]) {
            const ext = pick(['mp4', 'mkv', 'avi', 'mkv']);
            const token = random() < 0.4 ? `?token=${Math.floor(random() * 1e9).toString(16)}` : '';
            buffer += `http://vod.provider-example.net:8080/movie/user42/pass42/${number}.${ext}${token}\r\n`;
        } else {
            buffer += random() < 0.5
                ? `http://live.provider-example.net:8080/user42/pass42/${number}\r\n`
                : `https://cdn${number % 7}.stream-example.com/live/${number}/index.m3u8\r\n`;
        }
        await flush(false);
    }
}
await flush(true);
out.end();
await new Promise((resolve) => out.on('finish', resolve));
