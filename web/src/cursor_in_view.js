// A typed character or a deletion asks the editor to scroll the cursor into
// view, which it does after its measuring has written the page again: it
// lays the page out once more, in every key's frame, to learn that nothing
// needs scrolling. The cursor's box is read with the measuring instead,
// where the page is laid out already, and a cursor seen inside the text box
// and the window, by the margins asked, is left where it is.
import { EditorView, ViewPlugin } from '@codemirror/view';

const placed = ViewPlugin.fromClass(
  class {
    constructor() {
      this.seen = null; // {head, cursor, box}: read in the measuring of the change that asked to scroll
    }
    update(update) {
      if (!update.transactions.some((transaction) => transaction.scrollIntoView)) return;
      const { view } = update;
      const { head } = view.state.selection.main;
      this.seen = null;
      view.requestMeasure({
        key: this,
        read: () => {
          const scroller = view.scrollDOM;
          const { left, top } = scroller.getBoundingClientRect();
          const gutters = view.dom.querySelector('.cm-gutters');
          const box = {
            left: Math.max(gutters ? gutters.getBoundingClientRect().right : left, 0),
            top: Math.max(top, 0),
            right: Math.min(left + scroller.clientWidth, window.innerWidth),
            bottom: Math.min(top + scroller.clientHeight, window.innerHeight),
          };
          return { head, cursor: view.coordsAtPos(head), box };
        },
        write: (seen) => {
          this.seen = seen;
        },
      });
    }
  },
);

function inSight(view, range, target) {
  const plugin = view.plugin(placed);
  const seen = plugin && plugin.seen;
  if (plugin) plugin.seen = null;
  if (!seen || !seen.cursor || !range.empty || seen.head !== range.head) return false;
  if (target.x !== 'nearest' || target.y !== 'nearest') return false;
  const { cursor, box } = seen;
  return (
    cursor.left >= box.left + target.xMargin &&
    cursor.right <= box.right - target.xMargin &&
    cursor.top >= box.top + target.yMargin &&
    cursor.bottom <= box.bottom - target.yMargin
  );
}

export const cursorKeptInView = [placed, EditorView.scrollHandler.of(inSight)];
