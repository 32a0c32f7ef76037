// The page's side of the worker: requests as promises, the core's progress,
// and a new worker when the core has stopped.

export class Engine {
  constructor(moduleUrl, { onProgress, onStopped }) {
    this.moduleUrl = moduleUrl;
    this.onProgress = onProgress;
    this.onStopped = onStopped;
    this.pending = new Map();
    this.nextId = 1;
    this.start();
  }

  /// A worker that never answered is not started again: it would fail again.
  start() {
    this.answered = false;
    this.worker = new Worker(this.moduleUrl, { type: 'module', name: 'pictavo-core' });
    this.worker.onmessage = ({ data }) => this.received(data);
    this.worker.onerror = (event) => this.stopped(event.message || 'worker error');
  }

  received(data) {
    if (data.progress !== undefined) {
      this.onProgress(data.progress);
      return;
    }
    const waiting = this.pending.get(data.id);
    if (!waiting) return;
    this.pending.delete(data.id);
    if (this.pending.size === 0) this.onProgress(null);
    if (data.failed !== undefined) {
      waiting.reject(new Error(data.failed));
      this.stopped(data.failed);
    } else {
      this.answered = true;
      waiting.resolve(data.answer);
    }
  }

  /// The core failed beyond repair: every waiting request fails, a new worker starts.
  stopped(reason) {
    for (const waiting of this.pending.values()) waiting.reject(new Error(reason));
    this.pending.clear();
    this.worker.terminate();
    const again = this.answered;
    this.worker = null;
    if (again) this.start();
    this.onProgress(null);
    this.onStopped(reason, again);
  }

  request(request, args = {}) {
    const id = this.nextId++;
    if (!this.worker) return Promise.reject(new Error('the page must be loaded again'));
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject });
      this.worker.postMessage({ id, request, args });
    });
  }
}
