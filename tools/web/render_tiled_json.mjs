// Draws a Tiled JSON map as Phaser 3 shows it, in headless Chromium, and saves the picture:
//   node render_tiled_json.mjs FOLDER MAP.tmj SHEET.png WIDTH HEIGHT SCROLL_X SCROLL_Y OUT.png
// FOLDER is served on 127.0.0.1; the map's one tileset takes the sheet, its one layer is made
// where the map puts it (its offsets included), and the camera is scrolled by SCROLL_X, SCROLL_Y.
// The canvas renderer draws the tiles unfiltered over magenta (255, 0, 255).
import { createServer } from 'node:http';
import { readFile, writeFile } from 'node:fs/promises';
import { join, extname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const [folder, map, sheet, width, height, scrollX, scrollY, out] = process.argv.slice(2);
const phaser = join(fileURLToPath(new URL('.', import.meta.url)), 'node_modules/phaser/dist/phaser.min.js');
const types = { '.png': 'image/png', '.tmj': 'application/json', '.js': 'text/javascript', '.html': 'text/html' };
const page = `<!doctype html><html><body style="margin:0"><script src="/phaser.js"></script><script>
new Phaser.Game({ type: Phaser.CANVAS, width: ${width}, height: ${height}, backgroundColor: '#ff00ff',
  pixelArt: true, banner: false, audio: { noAudio: true },
  scene: { preload() { this.load.tilemapTiledJSON('map', '/${map}'); this.load.image('sheet', '/${sheet}'); },
    create() {
      const map = this.make.tilemap({ key: 'map' });
      const tileset = map.addTilesetImage(map.tilesets[0].name, 'sheet');
      map.createLayer(0, tileset);
      this.cameras.main.setScroll(${scrollX}, ${scrollY});
      this.time.delayedCall(100, () => { window.drawn = this.sys.game.canvas.toDataURL('image/png'); });
    } } });
</script></body></html>`;
const server = createServer(async (request, response) => {
  try {
    const path = request.url === '/phaser.js' ? phaser : join(folder, decodeURIComponent(request.url));
    const body = request.url === '/' ? page : await readFile(path);
    response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'text/html' });
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium' });
try {
  const tab = await browser.newPage();
  await tab.goto(`http://127.0.0.1:${server.address().port}/`);
  await tab.waitForFunction(() => window.drawn, null, { timeout: 30000 });
  const drawn = await tab.evaluate(() => window.drawn);
  await writeFile(out, Buffer.from(drawn.split(',')[1], 'base64'));
} finally {
  await browser.close();
  server.close();
}
