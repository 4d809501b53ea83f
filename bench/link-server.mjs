// The stream server of bench/run-linkcheck: one HTTP server on each of the addresses 127.0.0.1,
// 127.0.0.2, ... (--hosts N, all on one port), each answering every request with 200 and a
// short body after --delay milliseconds. It counts, per address, the connections open at any
// moment and the most that were open at once, and the requests.
//
//   node bench/link-server.mjs [--hosts 20] [--delay 200]
//
// Prints "ready PORT CONTROL-PORT" once listening. The control port (on 127.0.0.1, not
// counted) answers GET /stats (JSON: per address open, peak, requests), /reset (zeroes peaks
// and requests) and /delay?ms=N (changes the delay).
import http from 'node:http';

const options = { hosts: 20, delay: 200 };
for (let i = 2; i < process.argv.length; i += 2) {
    const name = process.argv[i].replace(/^--/, '');
    if (!(name in options)) {
        console.error(`link-server: unknown option ${process.argv[i]}`);
        process.exit(2);
    }
    options[name] = Number(process.argv[i + 1]);
}

const body = Buffer.alloc(188 * 4, 0x47); // four transport-stream packets' worth
const stats = new Map();

function serve(address, port) {
    const counts = { open: 0, peak: 0, requests: 0 };
    stats.set(address, counts);
    const server = http.createServer((request, response) => {
        counts.requests += 1;
        setTimeout(() => {
            response.writeHead(200, { 'Content-Type': 'video/mp2t', 'Content-Length': body.length });
            response.end(body);
        }, options.delay);
    });
    server.keepAliveTimeout = 5000;
    server.on('connection', (socket) => {
        counts.open += 1;
        counts.peak = Math.max(counts.peak, counts.open);
        socket.on('close', () => {
            counts.open -= 1;
        });
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(port, address, () => resolve(server.address().port));
    });
}

function control() {
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://control');
        if (url.pathname === '/reset') {
            for (const counts of stats.values()) {
                counts.peak = counts.open;
                counts.requests = 0;
            }
        } else if (url.pathname === '/delay') {
            options.delay = Number(url.searchParams.get('ms'));
        }
        response.writeHead(200, { 'Content-Type': 'application/json' });
        response.end(JSON.stringify(Object.fromEntries(stats)));
    });
    return new Promise((resolve) => {
        server.listen(0, '127.0.0.1', () => resolve(server.address().port));
    });
}

const port = await serve('127.0.0.1', 0);
for (let host = 2; host <= options.hosts; host += 1) {
    await serve(`127.0.0.${host}`, port);
}
const controlPort = await control();
console.log(`ready ${port} ${controlPort}`);
