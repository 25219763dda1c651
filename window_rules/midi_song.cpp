#include "window_rules/midi_song.h"

#include <algorithm>
#include <string>

namespace munyura::window_rules {
namespace {

constexpr std::int64_t kDefaultTempo = 500'000;  // microseconds per quarter note: 120 BPM
constexpr std::int64_t kLatestTick = std::int64_t{1} << 32;

// Reads big-endian numbers and variable-length quantities, refusing to run
// past the end of what it was given.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return position_ == bytes_.size(); }
  std::size_t Remaining() const { return bytes_.size() - position_; }

  std::uint8_t Byte() {
    Need(1);
    return bytes_[position_++];
  }
  std::uint8_t Peek() {
    Need(1);
    return bytes_[position_];
  }
  std::uint32_t BigEndian(int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
      value = (value << 8) | Byte();
    }
    return value;
  }
  std::uint32_t VariableLength() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t byte = Byte();
      value = (value << 7) | (byte & 0x7F);
      if ((byte & 0x80) == 0) {
        return value;
      }
    }
    throw MidiFileError("a variable-length number runs over four bytes");
  }
  std::span<const std::uint8_t> Take(std::size_t size) {
    Need(size);
    const auto taken = bytes_.subspan(position_, size);
    position_ += size;
    return taken;
  }
  void Skip(std::size_t size) { Take(size); }

 private:
  void Need(std::size_t size) const {
    if (Remaining() < size) {
      throw MidiFileError("the file ends in the middle of a chunk");
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

struct TickMessage {
  std::int64_t tick;
  MidiMessage message;
};

struct TempoChange {
  std::int64_t tick;
  std::int64_t microseconds_per_quarter;
};

struct Tracks {
  std::vector<TickMessage> messages;
  std::vector<TempoChange> tempo_changes;
  std::int64_t last_tick = 0;
};

int DataBytes(int kind) {
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

std::uint8_t DataByte(ByteReader& track) {
  const std::uint8_t byte = track.Byte();
  if (byte & 0x80) {
    throw MidiFileError("a channel message is cut short by a status byte");
  }
  return byte;
}

void ReadTrack(std::span<const std::uint8_t> bytes, Tracks& tracks) {
  ByteReader track(bytes);
  std::int64_t tick = 0;
  std::uint8_t running_status = 0;
  while (true) {
    tick += track.VariableLength();
    if (tick > kLatestTick) {
      throw MidiFileError("a track runs on for too long");
    }
    std::uint8_t status = track.Peek();
    if (status & 0x80) {
      track.Byte();
    } else if (running_status == 0) {
      throw MidiFileError("a data byte comes with no status before it");
    } else {
      status = running_status;
    }

    if (status == 0xFF) {
      const std::uint8_t type = track.Byte();
      const auto data = track.Take(track.VariableLength());
      if (type == 0x2F) {
        if (!track.AtEnd()) {
          throw MidiFileError("a track goes on after its end");
        }
        tracks.last_tick = std::max(tracks.last_tick, tick);
        return;
      }
      if (type == 0x51 && data.size() == 3) {
        const std::int64_t tempo = (data[0] << 16) | (data[1] << 8) | data[2];
        if (tempo == 0) {
          throw MidiFileError("a tempo of zero");
        }
        tracks.tempo_changes.push_back({tick, tempo});
      }
      running_status = 0;
    } else if (status == 0xF0 || status == 0xF7) {
      track.Skip(track.VariableLength());
      running_status = 0;
    } else if (status >= 0xF0) {
      throw MidiFileError("a system message that has no place in a file");
    } else {
      running_status = status;
      MidiMessage message{status, DataByte(track), 0};
      if (DataBytes(message.Kind()) == 2) {
        message.data2 = DataByte(track);
      }
      tracks.messages.push_back({tick, message});
    }
    if (track.AtEnd()) {
      throw MidiFileError("a track has no end-of-track event");
    }
  }
}

// Turns ticks into microseconds along the tempo map, measuring each stretch
// from the tempo change that starts it so that rounding does not pile up.
class TickClock {
 public:
  TickClock(std::uint16_t division, std::vector<TempoChange> changes) {
    if (division & 0x8000) {
      // Frames per second (29 stands for 29.97 drop-frame) times ticks per frame.
      const int frames = -static_cast<std::int8_t>(division >> 8);
      const int ticks_per_frame = division & 0xFF;
      if (frames <= 0 || ticks_per_frame == 0) {
        throw MidiFileError("a time division with no ticks");
      }
      smpte_ticks_per_second_ = (frames == 29 ? 29.97 : frames) * ticks_per_frame;
      return;
    }
    if (division == 0) {
      throw MidiFileError("a time division of zero ticks per quarter note");
    }
    ticks_per_quarter_ = division;
    std::ranges::stable_sort(changes, {}, &TempoChange::tick);
    stretches_.push_back({0, 0, kDefaultTempo});
    for (const TempoChange& change : changes) {
      const Stretch& last = stretches_.back();
      stretches_.push_back({change.tick, last.Microseconds(change.tick, ticks_per_quarter_),
                            change.microseconds_per_quarter});
    }
  }

  std::int64_t Microseconds(std::int64_t tick) const {
    if (smpte_ticks_per_second_ > 0) {
      return static_cast<std::int64_t>(static_cast<double>(tick) * 1e6 / smpte_ticks_per_second_);
    }
    const auto after = std::ranges::upper_bound(stretches_, tick, {}, &Stretch::tick);
    return std::prev(after)->Microseconds(tick, ticks_per_quarter_);
  }

 private:
  struct Stretch {
    std::int64_t tick;
    std::int64_t microseconds;
    std::int64_t tempo;
    std::int64_t Microseconds(std::int64_t at, std::int64_t ticks_per_quarter) const {
      // At most 2^32 ticks times a 24-bit tempo: well inside 64 bits.
      return microseconds + (at - tick) * tempo / ticks_per_quarter;
    }
  };

  std::int64_t ticks_per_quarter_ = 0;
  double smpte_ticks_per_second_ = 0;
  std::vector<Stretch> stretches_;
};

}  // namespace

MidiSong ReadMidiSong(std::span<const std::uint8_t> file) {
  ByteReader reader(file);
  if (reader.Remaining() < 14 || reader.BigEndian(4) != 0x4D546864) {  // "MThd"
    throw MidiFileError("not a MIDI file");
  }
  const std::uint32_t header_size = reader.BigEndian(4);
  if (header_size < 6) {
    throw MidiFileError("a MIDI header that is too short");
  }
  const auto header = reader.Take(header_size);
  ByteReader header_reader(header);
  const std::uint32_t format = header_reader.BigEndian(2);
  const std::uint32_t track_count = header_reader.BigEndian(2);
  const auto division = static_cast<std::uint16_t>(header_reader.BigEndian(2));
  if (format > 1) {
    throw MidiFileError("MIDI format " + std::to_string(format) + " is not played");
  }
  if (track_count == 0 || (format == 0 && track_count != 1)) {
    throw MidiFileError("a MIDI file with a wrong number of tracks");
  }

  Tracks tracks;
  std::uint32_t tracks_read = 0;
  while (tracks_read < track_count) {
    const std::uint32_t type = reader.BigEndian(4);
    const auto chunk = reader.Take(reader.BigEndian(4));
    if (type == 0x4D54726B) {  // "MTrk"; other chunks are for other programs
      ReadTrack(chunk, tracks);
      ++tracks_read;
    }
  }

  const TickClock clock(division, std::move(tracks.tempo_changes));
  MidiSong song;
  song.length_microseconds = clock.Microseconds(tracks.last_tick);
  if (song.length_microseconds > kLongestSong) {
    throw MidiFileError("the song lasts longer than an hour");
  }
  // Tracks were read in order, so equal times keep the order of their tracks.
  std::ranges::stable_sort(tracks.messages, {}, &TickMessage::tick);
  song.messages.reserve(tracks.messages.size());
  for (const TickMessage& m : tracks.messages) {
    song.messages.push_back({clock.Microseconds(m.tick), m.message});
  }
  return song;
}

}  // namespace munyura::window_rules
