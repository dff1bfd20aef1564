#pragma once

// What the game needs from the sound side: the contact sounds of a running
// shot and the music requests. The sound side decides whether and how they
// are heard; the game only reports what happened.

namespace zandrel {

/// Tunes of the music table, by index.
inline constexpr int kTuneMenu = 0;
inline constexpr int kTuneGame = 2;
inline constexpr int kNoTune = -1; ///< silence

class GameSound {
public:
    virtual ~GameSound() = default;

    /// A ball-ball contact at `impactSpeed` (table units per second) during
    /// the game's shot number `shotCount`.
    virtual void playBallHitSound(float /*impactSpeed*/, int /*shotCount*/) {}
    /// A cushion rebound at `speed` (table units per second).
    virtual void playCushionSound(float /*speed*/, int /*shotCount*/) {}
    /// A shot starts: its first motion tick follows at once.
    virtual void shotStarting() {}
    /// The balls are at rest again: the shot ended, or was dropped for a new rack.
    virtual void shotOver() {}
    /// A music request: the tune playing is remembered, then `tune` is wanted
    /// (kNoTune for silence). The music sequencer acts on its next tick.
    virtual void requestMusic(int /*tune*/) {}
};

} // namespace zandrel
