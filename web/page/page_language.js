// The page's texts, in English; the translations are looked up here.
export function gettext(english) { return english; }
