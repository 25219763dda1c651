// Label1 read aloud: a polite live region outside the canvas holds what
// Label1 shows while it is visible (the instructions, an inscription,
// "何もないん") and nothing while it is hidden. It is written only when that
// changes, so a screen reader speaks each text once.

export function attachReadAloud(region, game) {
  let said = null;
  return () => {
    const text = game.message();
    if (text !== said) {
      said = text;
      region.textContent = text;
    }
  };
}
