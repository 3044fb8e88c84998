#include "camera/Clock.h"

#include <ctime>
#include <thread>

namespace {

class MachineClock final : public Clock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }

    void sleepFor(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }

    std::chrono::milliseconds timeOfDay() const override {
        using namespace std::chrono;
        const auto wall = system_clock::now();
        const std::time_t seconds = system_clock::to_time_t(wall);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto fraction =
            duration_cast<milliseconds>(wall.time_since_epoch()) % milliseconds(1000);
        return hours(local.tm_hour) + minutes(local.tm_min) + std::chrono::seconds(local.tm_sec) +
               fraction;
    }
};

} // namespace

Clock& SystemClock() {
    static MachineClock clock;
    return clock;
}
