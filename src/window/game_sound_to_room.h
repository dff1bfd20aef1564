#pragma once

// Hands the game's contact sounds and music requests to the sound room.

#include "game/game_sound.h"
#include "sound/sound_room.h"

namespace zandrel {

class GameSoundToRoom : public GameSound {
public:
    explicit GameSoundToRoom(SoundRoom& room) : room_(room) {}

    void playBallHitSound(float impactSpeed, int shotCount) override {
        room_.playBallHitSound(impactSpeed, shotCount);
    }
    void playCushionSound(float speed, int shotCount) override { room_.playCushionSound(speed, shotCount); }
    void shotStarting() override { room_.shotStarting(); }
    void shotOver() override { room_.shotOver(); }
    void requestMusic(int tune) override { room_.requestMusic(tune); }

private:
    SoundRoom& room_;
};

} // namespace zandrel
