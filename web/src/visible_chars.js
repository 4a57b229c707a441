// Tabs and characters past ASCII made visible: each is one character in the
// editor but not one column of a card (a tab is one byte, shown as an arrow;
// a character past ASCII takes two to four bytes of the deck file).
import { Decoration, MatchDecorator, ViewPlugin, WidgetType } from '@codemirror/view';

class TabWidget extends WidgetType {
  toDOM() {
    const span = document.createElement('span');
    span.className = 'cm-tab-mark';
    span.textContent = '→';
    span.title = 'tab: one column';
    return span;
  }
  eq() {
    return true;
  }
}

const tab = Decoration.replace({ widget: new TabWidget() });
const bytes = (char) => new TextEncoder().encode(char).length;

const matcher = new MatchDecorator({
  regexp: /\t|[^\x00-\x7f]/gu,
  decorate(add, from, to, match) {
    if (match[0] === '\t') {
      add(from, to, tab);
      return;
    }
    const code = match[0].codePointAt(0).toString(16).toUpperCase().padStart(4, '0');
    const title = `U+${code}: ${bytes(match[0])} columns of the card`;
    add(from, to, Decoration.mark({ class: 'cm-non-ascii', attributes: { title } }));
  },
});

export const visibleChars = ViewPlugin.fromClass(
  class {
    constructor(view) {
      this.decorations = matcher.createDeco(view);
    }
    update(update) {
      this.decorations = matcher.updateDeco(update, this.decorations);
    }
  },
  { decorations: (plugin) => plugin.decorations },
);
