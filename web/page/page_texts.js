// Every text the page shows around the game, keyed by its English wording
// through gettext. The game's own texts (its caption, the instructions, the
// inscriptions) never pass through here: they are the game's, in every
// language.

import { gettext } from './page_language.js';

export const pageTexts = {
  soundWaiting: () => gettext('♪ Sound starts with your first key or click.'),
  soundSilent: () => gettext('♪ The tune cannot be played here; the game goes on in silence.'),
  fontMissing: () => gettext("The game's own font did not load; its texts are shown in another face."),
  storageRefused: () => gettext("The browser's storage for this page is full or blocked, so mute is forgotten when you leave."),
  couldNotStart: (reason) => gettext('The game could not start ({1}). Check the connection, then reload the page.',
    reason),
  mutedTitle: (caption) => gettext('{1} (muted)', caption),
  fullscreen: () => gettext('Full screen'),
  leaveFullscreen: () => gettext('Leave full screen'),
  walk: () => gettext('Walk'),
  left: () => gettext('Left'),
  up: () => gettext('Up'),
  right: () => gettext('Right'),
  down: () => gettext('Down'),
  read: () => gettext('Read (Z)'),
  letters: () => gettext('Letters'),
  pickerLetters: () => gettext('Letters A to Z'),
};
