// A local web server for the site as a static host serves it: each file with its type, gzipped
// where asked, every load a first load, a path refused answered as missing. It also hears what
// the page's security policy refuses: the policy of the page's own <meta> is sent again as a
// report-only header that reports here.

import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

const TYPES = {
    '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript',
    '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.jpg': 'image/jpeg',
    '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json',
    '.txt': 'text/plain; charset=utf-8',
};
const REPORTS = '/policy-breaches';

// Serves folder on 127.0.0.1 at port (0: any free one), files gzipped if `gzip`, the paths in
// `refuse` not at all. Gives the origin, what the policy has refused so far, the paths asked for,
// and a way to stop.
export function serve(folder, { port = 0, gzip = false, refuse = [] } = {}) {
    const policy = readFileSync(join(folder, 'index.html'), 'utf8')
        .match(/http-equiv="Content-Security-Policy" content="([^"]*)"/)?.[1];
    const reporting = policy &&
        { 'Content-Security-Policy-Report-Only': `${policy}; report-uri ${REPORTS}` };
    const breaches = [], requests = [];
    const server = createServer((request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
        if (request.method === 'POST' && path === REPORTS) {
            let body = '';
            request.on('data', (chunk) => { body += chunk; });
            request.on('end', () => breaches.push(body) && response.writeHead(204).end());
            return;
        }
        const file = normalize(join(folder, path.endsWith('/') ? `${path}index.html` : path));
        let content = null;
        try {
            content = file.startsWith(normalize(folder)) && !refuse.includes(path) ?
                readFileSync(file) : null;
        } catch {}
        if (!content)
            return response.writeHead(404).end();
        requests.push(path);
        const compressed = gzip && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
        response.writeHead(200, { 'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
                                  'Cache-Control': 'no-store', ...reporting,
                                  ...(compressed && { 'Content-Encoding': 'gzip' }) });
        response.end(compressed ? gzipSync(content, { level: 9 }) : content);
    });
    return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve({
        origin: `http://127.0.0.1:${server.address().port}`, breaches, requests,
        stop: () => new Promise((done) => {
            server.closeAllConnections();
            server.close(done);
        }),
    })));
}
