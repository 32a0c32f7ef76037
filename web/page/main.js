// Pictavo's page in one module: loaded by the page, it runs the page; loaded
// as the page's worker, it runs the core.
import { startPage } from './page.js';
import { startWorker } from './worker.js';

if (typeof document === 'undefined') {
  startWorker();
} else {
  startPage(new URL(import.meta.url));
}
