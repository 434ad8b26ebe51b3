#include "RunStats.h"

#include <algorithm>
#include <iomanip>
#include <numeric>

namespace {

const std::uint32_t kScoreBand = 500;
const int kBarWidth = 50;

const LossCause kCauses[] = {LossCause::Enemy, LossCause::EnemyShot, LossCause::TopEdge, LossCause::BottomEdge,
                             LossCause::Unknown};

template <typename Field>
std::vector<double> column(const std::vector<RunRecord>& runs, Field field)
{
    std::vector<double> values;
    values.reserve(runs.size());
    for (const RunRecord& run : runs)
    {
        values.push_back(static_cast<double>(run.*field));
    }
    return values;
}

void printDistribution(std::ostream& out, const char* name, const Distribution& d)
{
    out << std::left << std::setw(14) << name << std::right << std::fixed << std::setprecision(1) << "min " << d.min
        << "  median " << d.median << "  mean " << d.mean << "  max " << d.max << '\n';
}

// Bands first..last as one line, with a bar scaled to the fullest band.
void printBands(std::ostream& out, size_t first, size_t last, int count, int most)
{
    out << "  " << std::setw(6) << first * kScoreBand << "-" << std::left << std::setw(6) << (last + 1) * kScoreBand - 1
        << std::right << std::setw(5) << count;
    const int bar = (count * kBarWidth + most - 1) / most;
    if (bar > 0)
    {
        out << "  " << std::string(static_cast<size_t>(bar), '#');
    }
    out << '\n';
}

void printHistogram(std::ostream& out, const std::vector<int>& histogram)
{
    out << "score histogram\n";
    const int most = histogram.empty() ? 1 : *std::max_element(histogram.begin(), histogram.end());
    for (size_t i = 0; i < histogram.size(); ++i)
    {
        // A stretch of empty bands shrinks to one line; the last band is never empty.
        size_t last = i;
        while (histogram[last] == 0 && histogram[last + 1] == 0)
        {
            ++last;
        }
        printBands(out, i, last, histogram[i], most);
        i = last;
    }
}

void printCauses(std::ostream& out, const std::vector<RunRecord>& runs)
{
    out << "lost to\n";
    for (LossCause cause : kCauses)
    {
        const auto count = std::count_if(runs.begin(), runs.end(),
                                         [cause](const RunRecord& r) { return r.cause == cause; });
        // Unknown only shows when it happened: it would mean the bot misread a loss.
        if (cause != LossCause::Unknown || count > 0)
        {
            out << "  " << std::left << std::setw(12) << describe(cause) << std::right << std::setw(5) << count << '\n';
        }
    }
}

} // namespace

const char* describe(LossCause cause)
{
    switch (cause)
    {
    case LossCause::Enemy: return "enemy";
    case LossCause::EnemyShot: return "enemy shot";
    case LossCause::TopEdge: return "top edge";
    case LossCause::BottomEdge: return "bottom edge";
    case LossCause::Unknown: break;
    }
    return "unknown";
}

Distribution distributionOf(std::vector<double> values)
{
    Distribution d;
    if (values.empty())
    {
        return d;
    }
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    d.min = values.front();
    d.max = values.back();
    d.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    d.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(n);
    return d;
}

std::vector<int> scoreHistogram(const std::vector<RunRecord>& runs, std::uint32_t band)
{
    std::vector<int> counts;
    for (const RunRecord& run : runs)
    {
        const size_t index = run.score / band;
        if (index >= counts.size())
        {
            counts.resize(index + 1, 0);
        }
        ++counts[index];
    }
    return counts;
}

void printReport(std::ostream& out, const std::vector<RunRecord>& runs, long frames, double wallSeconds)
{
    out << "runs          " << runs.size() << '\n';
    printDistribution(out, "score", distributionOf(column(runs, &RunRecord::score)));
    printDistribution(out, "length (s)", distributionOf(column(runs, &RunRecord::seconds)));
    printHistogram(out, scoreHistogram(runs, kScoreBand));
    printCauses(out, runs);
    out << std::setprecision(1) << "simulation    " << frames << " frames in " << wallSeconds
        << " s: " << std::setprecision(0) << (wallSeconds > 0 ? static_cast<double>(frames) / wallSeconds : 0)
        << " frames/s\n";
}
