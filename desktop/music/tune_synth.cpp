#include "desktop/music/tune_synth.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <utility>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;  // FluidSynth's bank for General MIDI percussion

// FluidSynth reports its troubles on stderr by default; the game says in one
// line of its own why there is no music instead.
void QuietenFluidSynthLog() {
  for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
}

// While a soundfont loads, the loaders' own complaints through GLib (the DLS
// loader's assertions on a file it cannot parse) are dropped: the game says
// why in one line of its own.
class QuietLoaderLog {
 public:
  QuietLoaderLog()
      : handler_(g_log_set_handler(nullptr, static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK), &Ignore,
                                   nullptr)) {}
  ~QuietLoaderLog() { g_log_remove_handler(nullptr, handler_); }
  QuietLoaderLog(const QuietLoaderLog&) = delete;
  QuietLoaderLog& operator=(const QuietLoaderLog&) = delete;

 private:
  static void Ignore(const gchar* /*domain*/, GLogLevelFlags /*level*/, const gchar* /*message*/,
                     gpointer /*data*/) {}
  guint handler_;
};

// A RIFF file of form "sfbk" that is as long as it says.
bool LooksLikeASoundfont(const WaryFile& file) {
  const std::vector<std::uint8_t> h = file.Read(12);
  if (h.size() < 12 || !std::equal(h.begin(), h.begin() + 4, "RIFF") ||
      !std::equal(h.begin() + 8, h.end(), "sfbk")) {
    return false;
  }
  const std::int64_t declared = h[4] | (h[5] << 8) | (h[6] << 16) | (std::int64_t{h[7]} << 24);
  return declared + 8 <= file.Size();
}

std::unique_ptr<WaryFile> OpenSoundfont(const std::string& path) {
  try {
    auto file = std::make_unique<WaryFile>(path, kLargestSoundfont);
    if (!LooksLikeASoundfont(*file)) {
      throw TuneFileError(Translated("not a soundfont"));
    }
    return file;
  } catch (const TuneFileError& error) {
    throw SynthError(Translated("no soundfont at {1} ({2})", {path, error.what()}));
  }
}

}  // namespace

std::string SystemSoundfont() {
  if (const char* chosen = std::getenv("MUNYURA_SOUNDFONT"); chosen && *chosen) {
    return chosen;
  }
  std::string path = "/usr/share/sounds/sf2/default-GM.sf2";
  if (const FluidSettingsPtr settings{new_fluid_settings()}) {
    char* fallback = nullptr;
    if (fluid_settings_dupstr(settings.get(), "synth.default-soundfont", &fallback) == FLUID_OK &&
        fallback && *fallback) {
      path = fallback;
    }
    fluid_free(fallback);
  }
  return path;
}

TuneSynth::TuneSynth(const std::string& soundfont, int frame_rate, double gain)
    : soundfont_file_(OpenSoundfont(soundfont)) {
  QuietenFluidSynthLog();
  settings_.reset(new_fluid_settings());
  if (!settings_) {
    throw SynthError(Translated("the synthesiser cannot start"));
  }
  fluid_settings_setnum(settings_.get(), "synth.sample-rate", frame_rate);
  fluid_settings_setnum(settings_.get(), "synth.gain", gain);
  fluid_settings_setint(settings_.get(), "synth.dynamic-sample-loading", 1);
  // The voices that sound at once bound what rendering costs, whatever a file
  // asks for; the game's tune never needs more than a few dozen.
  fluid_settings_setint(settings_.get(), "synth.polyphony", kMostVoices);
  // Pinning samples in RAM needs a locked-memory allowance most desktops
  // do not grant, and buys nothing for one small tune.
  fluid_settings_setint(settings_.get(), "synth.lock-memory", 0);
  synth_.reset(new_fluid_synth(settings_.get()));
  if (!synth_) {
    throw SynthError(Translated("the synthesiser cannot start"));
  }
  const QuietLoaderLog quiet;
  soundfont_id_ = fluid_synth_sfload(synth_.get(), soundfont_file_->ReopenPath().c_str(), 1);
  if (soundfont_id_ == FLUID_FAILED) {
    throw SynthError(Translated("no soundfont at {1} ({2})",
                                {soundfont, Translated("the synthesiser cannot read it")}));
  }
}

void TuneSynth::KeepInstrumentsLoaded(const MidiSong& song) {
  std::array<int, 16> bank{};
  bank[kDrumChannel] = kDrumBank;
  std::array<int, 16> program{};
  std::set<std::pair<int, int>> instruments;
  for (const TimedMessage& timed : song.messages) {
    const MidiMessage& m = timed.message;
    if (m.Kind() == 0xB0 && m.data1 == 0 && m.Channel() != kDrumChannel) {
      bank[m.Channel()] = m.data2;
    } else if (m.Kind() == 0xC0) {
      program[m.Channel()] = m.data1;
      instruments.insert({bank[m.Channel()], m.data1});
    } else if (m.Kind() == 0x90) {
      instruments.insert({bank[m.Channel()], program[m.Channel()]});
    }
  }
  const QuietLoaderLog quiet;
  for (const auto& [instrument_bank, instrument_program] : instruments) {
    fluid_synth_pin_preset(synth_.get(), soundfont_id_, instrument_bank, instrument_program);
  }
}

void TuneSynth::Send(const MidiMessage& m) {
  fluid_synth_t* const synth = synth_.get();
  const int channel = m.Channel();
  switch (m.Kind()) {
    case 0x80:
      fluid_synth_noteoff(synth, channel, m.data1);
      break;
    case 0x90:
      if (m.data2 == 0) {
        fluid_synth_noteoff(synth, channel, m.data1);
      } else {
        fluid_synth_noteon(synth, channel, m.data1, m.data2);
      }
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth, channel, m.data1, m.data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth, channel, m.data1, m.data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth, channel, m.data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth, channel, m.data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth, channel, m.data1 | (m.data2 << 7));
      break;
    default:
      break;
  }
}

void TuneSynth::SilenceAll() {
  fluid_synth_all_sounds_off(synth_.get(), -1);
}

void TuneSynth::Render(std::span<float> stereo) {
  const int frames = static_cast<int>(stereo.size() / 2);
  fluid_synth_write_float(synth_.get(), frames, stereo.data(), 0, 2, stereo.data(), 1, 2);
}

}  // namespace munyura::desktop
