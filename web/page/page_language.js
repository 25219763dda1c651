// The page's own texts (its notes, its controls' names, its error lines) in
// the player's language: Japanese or English, as navigator.languages asks,
// English otherwise. The game's own texts never pass through here.
//
// The translations come from the game's message catalogues (po/*.po), turned
// into page_messages.json when the page is built. They are loaded before any
// module that imports this one runs, so every text is translated from the
// first.

const SOURCE_LANGUAGE = 'en';

// The first of the player's languages the page has texts in; English when
// none of them is.
export function chooseLanguage(preferred, available) {
  for (const tag of preferred) {
    const primary = String(tag).toLowerCase().split('-')[0];
    if (primary === SOURCE_LANGUAGE || available.includes(primary)) {
      return primary;
    }
  }
  return SOURCE_LANGUAGE;
}

async function loadCatalogues() {
  try {
    const response = await fetch(new URL('page_messages.json', import.meta.url));
    return response.ok ? await response.json() : {};
  } catch {
    return {}; // no catalogues: the page speaks English
  }
}

const catalogues = await loadCatalogues();
const language = chooseLanguage(globalThis.navigator?.languages ?? [], Object.keys(catalogues));
const translations = catalogues[language] ?? {};

// The language the page's texts are in, as a lang attribute names it.
export function pageLanguage() {
  return language;
}

// The text `english` in the page's language, with {1}, {2}, ... replaced by
// `values` in order (a translation may move them).
export function gettext(english, ...values) {
  const text = translations[english] || english;
  return text.replace(/\{([1-9])\}/g, (whole, n) => (n <= values.length ? String(values[n - 1]) : whole));
}
