#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

// What ended a run. An edge touch outranks a collision in the same frame, a collision with an
// enemy outranks one with an enemy shot; Unknown means the game ended a run the bot saw no reason for.
enum class LossCause
{
    Enemy,
    EnemyShot,
    TopEdge,
    BottomEdge,
    Unknown
};

const char* describe(LossCause cause);

struct RunRecord
{
    std::uint32_t score = 0;
    float seconds = 0; // time of play, from the run's first frame to the frame its loss was declared
    LossCause cause = LossCause::Unknown;
};

struct Distribution
{
    double min = 0;
    double median = 0;
    double mean = 0;
    double max = 0;
};

// Zeros for no values.
Distribution distributionOf(std::vector<double> values);

// Runs per score band of the given width, from 0 up to the band of the highest score.
std::vector<int> scoreHistogram(const std::vector<RunRecord>& runs, std::uint32_t band);

// The table: score distribution and histogram, run lengths, causes of loss, simulation speed.
void printReport(std::ostream& out, const std::vector<RunRecord>& runs, long frames, double wallSeconds);
