// Frame time of our renderer against SDL2's 2-D renderer, drawing the same sprites at the same
// places in windows of the same size on the X server in $DISPLAY. Figures only.
//
// Each measurement runs in a child process of its own, so the two libraries never share a GL
// context or an X connection, and one that crashes costs one cell of the table.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "EngineDrawing.h"
#include "SdlDrawing.h"

namespace {

const size_t kSpriteCounts[] = {100, 300, 1000, 3000, 10000, 20000};
// The machine is shared: each cell is the better of two rounds run at different moments.
constexpr int kRounds = 2;

using Capture = std::vector<std::uint32_t>;
using Measure = std::function<Measurement(const SpriteField&, const FrameBudget&, Capture&)>;

struct Contender
{
    std::string label;
    Measure measure;
    bool accelerated = false;
};

struct Outcome
{
    Measurement measured;
    Capture capture;
};

void writeAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0)
    {
        const ssize_t written = write(fd, bytes, size);
        if (written <= 0)
            return;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

// The child's report: one text line of figures, then the captured pixels.
void report(int fd, const Measurement& measured, const Capture& capture)
{
    std::ostringstream line;
    line << measured.medianMillis << ' ' << measured.frames << ' ' << measured.drawCalls << ' ' << capture.size() << ' '
         << measured.error << '\n';
    const std::string text = line.str();
    writeAll(fd, text.data(), text.size());
    writeAll(fd, capture.data(), capture.size() * sizeof(capture[0]));
}

Outcome parseReport(const std::string& bytes)
{
    Outcome outcome;
    const size_t end = bytes.find('\n');
    if (end == std::string::npos)
    {
        outcome.measured.error = "no report";
        return outcome;
    }
    std::istringstream line(bytes.substr(0, end));
    size_t pixels = 0;
    line >> outcome.measured.medianMillis >> outcome.measured.frames >> outcome.measured.drawCalls >> pixels;
    std::getline(line >> std::ws, outcome.measured.error);
    if (bytes.size() - end - 1 == pixels * sizeof(std::uint32_t))
    {
        outcome.capture.resize(pixels);
        std::memcpy(outcome.capture.data(), bytes.data() + end + 1, pixels * sizeof(std::uint32_t));
    }
    return outcome;
}

Outcome measureInChild(const Contender& contender, size_t spriteCount)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {failedMeasurement("no pipe"), {}};
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0)
    {
        close(channel[0]);
        Measurement measured;
        Capture capture;
        try
        {
            measured = contender.measure(makeSpriteField(spriteCount), FrameBudget(), capture);
        }
        catch (const std::exception& error)
        {
            measured = failedMeasurement(error.what());
        }
        report(channel[1], measured, capture);
        // No destructors: the libraries' exit handlers are not what is measured.
        _exit(0);
    }
    close(channel[1]);
    std::string bytes;
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status))
        return {failedMeasurement("the measuring process died"), {}};
    return parseReport(bytes);
}

// Share of pixels that are exactly the same in both pictures.
double sameShare(const Capture& a, const Capture& b)
{
    if (a.empty() || a.size() != b.size())
        return 0;
    size_t same = 0;
    for (size_t i = 0; i < a.size(); ++i)
        same += a[i] == b[i] ? 1 : 0;
    return static_cast<double>(same) / static_cast<double>(a.size());
}

std::vector<Contender> contenders(const std::vector<SdlDriver>& drivers)
{
    std::vector<Contender> all{{"ours", measureEngine}};
    for (const SdlDriver& driver : drivers)
    {
        all.push_back({"SDL " + driver.name,
                       [name = driver.name](const SpriteField& field, const FrameBudget& budget, Capture& capture) {
                           return measureSdl(name, field, budget, capture);
                       },
                       driver.accelerated});
    }
    return all;
}

// For profiling at one size: --sizes 1000 --only ours (ours is always measured: it is the reference).
void parseOptions(int argc, char** argv, std::vector<size_t>& counts, std::vector<Contender>& all)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            throw std::invalid_argument(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--sizes")
        {
            counts.clear();
            std::istringstream list(value);
            std::string number;
            while (std::getline(list, number, ','))
            {
                if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
                    throw std::invalid_argument("not a sprite count: " + number);
                counts.push_back(std::stoul(number));
            }
        }
        else if (option == "--only")
        {
            const std::string label = value == "ours" ? value : "SDL " + value;
            all.erase(std::remove_if(all.begin() + 1, all.end(), [&](const Contender& c) { return c.label != label; }),
                      all.end());
            if (label != "ours" && all.size() != 2)
                throw std::invalid_argument("no SDL driver named " + value);
        }
        else
        {
            throw std::invalid_argument("unknown option " + option);
        }
    }
}

// Every contender at one size, each the better of the rounds.
std::vector<Outcome> measureSize(const std::vector<Contender>& all, size_t count,
                                 std::map<std::string, std::string>& errors)
{
    std::vector<std::optional<Outcome>> best(all.size());
    for (int round = 0; round < kRounds; ++round)
    {
        for (size_t step = 0; step < all.size(); ++step)
        {
            // Ours goes first in one round and last in the other.
            const size_t c = round % 2 == 0 ? step : all.size() - 1 - step;
            Outcome outcome = measureInChild(all[c], count);
            if (!outcome.measured.error.empty())
                errors.emplace(all[c].label, std::to_string(count) + " sprites: " + outcome.measured.error);
            const bool better = !best[c] || !best[c]->measured.error.empty() ||
                                (outcome.measured.error.empty() &&
                                 outcome.measured.medianMillis < best[c]->measured.medianMillis);
            if (better)
                best[c] = std::move(outcome);
        }
    }
    std::vector<Outcome> chosen;
    for (std::optional<Outcome>& outcome : best)
        chosen.push_back(std::move(*outcome));
    return chosen;
}

// The least and the greatest ours/theirs ratio over the sizes, and where the greatest was.
class RatioRange
{
public:
    std::string add(const Measurement& ours, const std::vector<Outcome>& best, std::optional<size_t> theirs,
                    size_t count)
    {
        if (!theirs || !ours.error.empty())
            return "n/a";
        const double ratio = ours.medianMillis / best[*theirs].measured.medianMillis;
        _least = std::min(_least, ratio);
        if (ratio > _greatest)
        {
            _greatest = ratio;
            _greatestAt = count;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", ratio);
        return text;
    }

    std::string text() const
    {
        if (_greatestAt == 0)
            return "n/a";
        char text[96];
        std::snprintf(text, sizeof text, "%.2f to %.2f (greatest at %zu sprites)", _least, _greatest, _greatestAt);
        return text;
    }

private:
    double _least = 1e300;
    double _greatest = 0;
    size_t _greatestAt = 0;
};

std::string cell(const Measurement& measured)
{
    char text[32];
    if (!measured.error.empty())
        return "n/a";
    std::snprintf(text, sizeof text, "%.2f", measured.medianMillis);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr)
    {
        std::fprintf(stderr, "render_bench: no X display to draw on (DISPLAY is not set)\n");
        // 77: skipped, in ctest's terms; the test command, having started a display, wants a failure.
        const char* required = std::getenv("SKYVANE_REQUIRE_DISPLAY");
        return required != nullptr && std::string(required) == "1" ? 1 : 77;
    }
    std::vector<size_t> counts(std::begin(kSpriteCounts), std::end(kSpriteCounts));
    std::vector<Contender> all = contenders(sdlDrivers());
    try
    {
        parseOptions(argc, argv, counts, all);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "render_bench: %s\nusage: %s [--sizes N,N,...] [--only ours|SDL-DRIVER]\n", error.what(),
                     argv[0]);
        return 2;
    }

    std::printf("Frame time in ms (median over >= %d frames and >= %.1f s, better of %d rounds); window %dx%d;\n",
                FrameBudget().minFrames, FrameBudget().minSeconds, kRounds, kWindowWidth, kWindowHeight);
    std::printf("each frame ends with glFinish (GL renderers) and XSync, so it is drawn and on the X server.\n");
    std::printf("SDL drivers:");
    for (const SdlDriver& driver : sdlDrivers())
        std::printf(" %s (%s)", driver.name.c_str(), driver.accelerated ? "accelerated" : "software");
    std::printf("; SDL command batching on. Ratios below 1: ours is faster.\n\n");

    std::printf("%8s %9s %11s", "sprites", "ours", "draw calls");
    for (size_t c = 1; c < all.size(); ++c)
        std::printf(" %14s", all[c].label.c_str());
    std::printf(" %18s %11s %13s\n", "best accelerated", "ours/best", "ours/software");

    RatioRange versusAccelerated;
    RatioRange versusSoftware;
    std::map<std::string, double> leastSame;
    std::map<std::string, std::string> errors; // the first failure of each renderer
    for (const size_t count : counts)
    {
        const std::vector<Outcome> best = measureSize(all, count, errors);
        const Measurement& ours = best[0].measured;
        std::printf("%8zu %9s %11ld", count, cell(ours).c_str(), ours.drawCalls);
        std::optional<size_t> fastestAccelerated;
        std::optional<size_t> software;
        for (size_t c = 1; c < all.size(); ++c)
        {
            const Measurement& theirs = best[c].measured;
            std::printf(" %14s", cell(theirs).c_str());
            if (!theirs.error.empty())
                continue;
            if (!all[c].accelerated)
                software = c;
            else if (!fastestAccelerated || theirs.medianMillis < best[*fastestAccelerated].measured.medianMillis)
                fastestAccelerated = c;
            const double same = sameShare(best[0].capture, best[c].capture);
            auto [entry, fresh] = leastSame.emplace(all[c].label, same);
            if (!fresh)
                entry->second = std::min(entry->second, same);
        }
        std::printf(" %18s %11s %13s\n", fastestAccelerated ? all[*fastestAccelerated].label.c_str() : "n/a",
                    versusAccelerated.add(ours, best, fastestAccelerated, count).c_str(),
                    versusSoftware.add(ours, best, software, count).c_str());
    }

    std::printf("\nPixels identical to ours (least share over all sizes):");
    for (const auto& [label, same] : leastSame)
        std::printf(" %s %.2f%%", label.c_str(), 100 * same);
    std::printf("\n");
    for (const auto& [label, error] : errors)
        std::printf("%s not measured, first at %s\n", label.c_str(), error.c_str());
    std::printf("summary: rendering %zu to %zu sprites: ours/best accelerated SDL %s; ours/SDL software %s (below 1: "
                "ours faster)\n",
                counts.front(), counts.back(), versusAccelerated.text().c_str(), versusSoftware.text().c_str());
    // SDL's renderers are only the yardstick; ours failing to draw is a fault.
    return errors.count(all[0].label) == 0 ? 0 : 1;
}
