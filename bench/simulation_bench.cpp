// Cost of the motion step: one busy tick, and whole shots from launch to rest.

#include "simulation/motion.h"
#include "simulation/table.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace zandrel;

/// Reports nothing and never abandons: the cost of the step alone.
class SilentEvents : public SimulationEvents {};

/// Four balls moving fast, with spin, so that one tick has two balls meeting
/// and two cushion rebounds besides the search over every pair and cushion.
Table fourMovingBalls() {
    struct Start {
        float x, y, direction;
    };
    const Start starts[kBallCount] = {{600.0f, 600.0f, 0.0f},
                                      {800.0f, 610.0f, 3.1415925f},
                                      {100.0f, 900.0f, 2.5f},
                                      {2000.0f, 1100.0f, 1.2f}};
    Table t;
    setFirstPosition(t, GameKind::fourBall);
    for (int i = 0; i < kBallCount; ++i) {
        Ball& b = t.balls[i];
        b.x = starts[i].x;
        b.y = starts[i].y;
        b.speed = 3000.0f;
        b.direction = starts[i].direction;
        b.vx = static_cast<float>(std::cos(static_cast<double>(b.direction)) * b.speed);
        b.vy = static_cast<float>(std::sin(static_cast<double>(b.direction)) * b.speed);
        b.followSpin = 500.0f;
        b.sideSpin = -300.0f;
    }
    return t;
}

/// Counts the contacts of a tick for the report.
class ContactCounter : public SimulationEvents {
public:
    int contacts = 0;
    void playBallHitSound(float) override { ++contacts; }
    void playCushionSound(float) override { ++contacts; }
};

void BM_OneTickFourMovingBalls(benchmark::State& state) {
    const Table start = fourMovingBalls();
    SilentEvents events;
    for (auto _ : state) {
        Table t = start;
        benchmark::DoNotOptimize(stepSimulation(t, events));
        benchmark::DoNotOptimize(t);
    }
    Table t = start;
    ContactCounter counter;
    stepSimulation(t, counter);
    state.counters["contacts"] = counter.contacts;
}
BENCHMARK(BM_OneTickFourMovingBalls);

/// A power-100 shot with follow and side spin, run tick by tick to rest.
void fullShot(benchmark::State& state, GameKind gameKind) {
    Table racked;
    setFirstPosition(racked, gameKind);
    racked.target = TablePoint{1500.0f, 900.0f};
    SilentEvents events;
    int ticks = 0;
    for (auto _ : state) {
        Table t = racked;
        startShot(t, kCueBallIndex, kMaxPower, 0.5f, 1.0f);
        ticks = 0;
        while (!areAllBallsStopped(t)) {
            stepSimulation(t, events);
            ++ticks;
        }
        benchmark::DoNotOptimize(t);
    }
    state.counters["ticks"] = ticks;
}

void BM_FullShotFourBall(benchmark::State& state) {
    fullShot(state, GameKind::fourBall);
}
BENCHMARK(BM_FullShotFourBall)->Unit(benchmark::kMicrosecond);

void BM_FullShotThreeBall(benchmark::State& state) {
    fullShot(state, GameKind::threeBall);
}
BENCHMARK(BM_FullShotThreeBall)->Unit(benchmark::kMicrosecond);

} // namespace
