// The deck checked as it is typed, in two steps, each by an engine worker of
// its own: first its diagnostics, summary and hints, at once when the
// checker is free (else with the text as it then stands); then, once the
// typing pauses, its reports, exports and weights. A key stops a report
// under way, so that a long report never takes the machine from the next
// key's check; reports of a text edited since are not shown.
import { runResult } from './record_views.js';

const PAUSE_MS = 40; // no key for this long (or twice a check's time), and the reports are made
const LARGE = 1 << 20; // characters of a text whose check waits for the change to be drawn

// `bytesOf(view)`: the text's bytes in an array of their own, which the
// engines are given to keep.
export function checkAsTyped({ checker, reporter, bytesOf, options, onChecked, onReported, onFailed }) {
  let checking = false;
  let stale = false;
  let reporting = null; // the text being reported
  let timer = null;
  let pause = 0; // none before the first reports: nothing is typed yet

  async function report(view, doc) {
    reporting = doc;
    try {
      const answer = await reporter.check(bytesOf(view), { ...options(), products: true }, { move: true });
      if (doc === view.state.doc) onReported(runResult(answer), doc);
      pause = PAUSE_MS;
    } catch (error) {
      if (!error.cancelled) onFailed(error);
    }
    if (reporting === doc) reporting = null;
  }

  // A change: a report under way stops at once, and the check follows, in a
  // large text in a task of its own, so that the change is drawn before its
  // bytes are made.
  let asked = false;
  function changed(view) {
    clearTimeout(timer);
    if (reporting && reporting !== view.state.doc) {
      reporting = null;
      reporter.cancel();
    }
    if (view.state.doc.length < LARGE) {
      check(view);
      return;
    }
    if (asked) return;
    asked = true;
    setTimeout(() => {
      asked = false;
      check(view);
    });
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
      const answer = await checker.check(bytes, options(), { move: true });
      if (!stale) {
        const took = performance.now() - started;
        onChecked(runResult(answer), doc, took);
        // The reports of a deck slow to check wait for a longer pause: the
        // next key would stop them, and their engine would take the machine
        // from that key's check as it starts again.
        timer = setTimeout(() => doc === view.state.doc && report(view, doc), pause && Math.max(pause, 2 * took));
      }
    } catch (error) {
      if (!error.cancelled) onFailed(error);
    }
    checking = false;
    if (stale) check(view);
  }

  return changed;
}
