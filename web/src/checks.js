// The deck checked as it is typed, in two steps, each by an engine worker of
// its own: first its diagnostics, summary and hints, at once when the
// checker is free (else with the text as it then stands); then, once those
// are shown, its reports, exports and weights, so that a long report never
// holds up the next key. Reports of a text already edited again are not
// shown; the newest text waiting is reported next.
import { runResult } from './record_views.js';

export function checkAsTyped({ checker, reporter, bytesOf, options, onChecked, onReported, onFailed }) {
  let checking = false;
  let stale = false;
  let reporting = false;
  let waiting = null; // {bytes, doc} to report once the reporter is free

  async function report(view) {
    if (reporting || !waiting) return;
    const { bytes, doc } = waiting;
    waiting = null;
    reporting = true;
    try {
      const answer = await reporter.check(bytes, { ...options(), products: true });
      if (doc === view.state.doc) onReported(runResult(answer), doc);
    } catch (error) {
      onFailed(error);
    }
    reporting = false;
    report(view);
  }

  async function check(view) {
    if (checking) {
      stale = true;
      return;
    }
    checking = true;
    stale = false;
    const started = performance.now();
    const doc = view.state.doc;
    const bytes = bytesOf(view);
    try {
      const answer = await checker.check(bytes, options());
      if (!stale) {
        onChecked(runResult(answer), doc, performance.now() - started);
        waiting = { bytes, doc };
        report(view);
      }
    } catch (error) {
      onFailed(error);
    }
    checking = false;
    if (stale) check(view);
  }

  return check;
}
