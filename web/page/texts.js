// The page's words in the chosen language: the window's captions and the
// language texts, both read by the core from the same .lng files as the
// desktop program's.

export class Texts {
  constructor() {
    this.captions = {};
    this.texts = {};
  }

  /// Takes the core's answer to a language request.
  set({ captions, texts }) {
    this.captions = captions;
    this.texts = texts;
  }

  /// A language text with "%1" … "%9" filled in.
  text(key, ...values) {
    const text = this.texts[key] || '';
    return text.replace(/%([1-9])/g, (whole, n) => (values[n - 1] !== undefined ? String(values[n - 1]) : whole));
  }

  caption(control) {
    return this.captions[control] || '';
  }

  /// Every [data-caption] and [data-text] element gets its words;
  /// [data-all-caption] adds " (all)" as the window's batch entries do.
  apply(root) {
    for (const element of root.querySelectorAll('[data-caption], [data-text]')) {
      const words = element.dataset.caption !== undefined
        ? this.caption(element.dataset.caption)
        : this.text(element.dataset.text);
      if (!words) continue;
      const all = element.dataset.allCaption !== undefined && !words.endsWith(')')
        ? ` (${this.texts.str_all})` : '';
      element.textContent = words + all;
      // A header a narrow column cuts still says its whole word on hover.
      if (element.getAttribute('role') === 'columnheader') element.title = words;
    }
  }
}

/// The core's line breaks (CR) as the page shows them.
export function shownText(text) {
  return text.replace(/\r\n?/g, '\n');
}
