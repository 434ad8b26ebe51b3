#include "base/CCStatsDisplay.h"

#include <cstdio>

#include "2d/CCFontAtlas.h"
#include "2d/CCLabelInternals.h"
#include "base/CCConsole.h"
#include "base/ccConfig.h"
#include "math/Mat4.h"
#include "renderer/CCRenderer.h"

NS_CC_BEGIN

namespace {

constexpr float kLineSpacing = 22.0f;
// 3.17's cells are 12 x 32 px with the baseline 7 px above a cell's bottom. DejaVu Sans Mono
// advances 0.6 em: 12 px at 20 px.
constexpr float kCellBaseline = 7.0f;
constexpr float kFaceSize = 20.0f;
// Shipped with the game (Windows has no DejaVu); the installed family stands in without it.
const char* const kFaceFile = "fonts/DejaVuSansMono.ttf";
const char* const kFaceFamily = "DejaVu Sans Mono";
// Every character the lines can show, rasterised up front: the glyph page then goes to GL once,
// not again whenever a digit first appears.
const char* const kCharacters = "0123456789. /:GLcalsvert";
constexpr float kSmoothing = 0.1f;

} // namespace

bool StatsDisplay::Figures::operator==(const Figures& other) const
{
    return frameRate == other.frameRate && secondsPerFrame == other.secondsPerFrame && drawCalls == other.drawCalls &&
           vertices == other.vertices;
}

StatsDisplay::StatsDisplay() = default;

StatsDisplay::~StatsDisplay() = default;

void StatsDisplay::addFrame(float dt)
{
    ++_framesSinceRate;
    _timeSinceRate += dt;
    _secondsPerFrame = _secondsPerFrame * (1.0f - kSmoothing) + dt * kSmoothing;
    if (_timeSinceRate > CC_DIRECTOR_STATS_INTERVAL)
    {
        _frameRate = static_cast<float>(_framesSinceRate) / _timeSinceRate;
        _framesSinceRate = 0;
        _timeSinceRate = 0.0f;
    }
}

void StatsDisplay::draw(Renderer* renderer, const Vec2& origin)
{
    if (_lines.empty())
        makeLines();
    // Read before the display's own glyphs join the queue, which they must not count.
    const Figures figures{_frameRate, _secondsPerFrame, renderer->getQueuedDrawCalls(), renderer->getQueuedVertices()};
    if (!_shown || !(*_shown == figures))
    {
        write(figures);
        _shown = figures;
    }
    for (ssize_t line = 0; line < _lines.size(); ++line)
    {
        Label* label = _lines.at(line);
        label->setPosition(origin.x, origin.y + kLineSpacing * static_cast<float>(line) + _baselineLift);
        label->visit(renderer, Mat4::IDENTITY, 0);
    }
}

void StatsDisplay::reset()
{
    _lines.clear();
    _shown.reset();
}

std::vector<std::string> StatsDisplay::getLines() const
{
    std::vector<std::string> lines;
    for (const Label* label : _lines)
        lines.push_back(label->getString());
    return lines;
}

void StatsDisplay::makeLines()
{
    for (int line = 0; line < 3; ++line)
    {
        Label* label = makeLine();
        label->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
        _lines.pushBack(label);
    }
    FontAtlas* atlas = LabelInternals::getFontAtlas(*_lines.front());
    if (!atlas)
        return;
    for (const char* c = kCharacters; *c; ++c)
        atlas->getLetter(static_cast<char32_t>(*c));
    // A label's baseline sits its descent above its bottom.
    _baselineLift = kCellBaseline - static_cast<float>(atlas->getLineHeight() - atlas->getAscender());
}

Label* StatsDisplay::makeLine()
{
    if (!_faceFileMissing)
    {
        if (Label* label = Label::createWithTTF("", kFaceFile, kFaceSize))
            return label;
        _faceFileMissing = true;
        log("Statistics display: drawn in the installed %s instead", kFaceFamily);
    }
    return Label::createWithSystemFont("", kFaceFamily, kFaceSize);
}

void StatsDisplay::write(const Figures& figures)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f / %.3f", static_cast<double>(figures.frameRate),
                  static_cast<double>(figures.secondsPerFrame));
    _lines.at(0)->setString(text);
    std::snprintf(text, sizeof text, "GL calls:%6lu", static_cast<unsigned long>(figures.drawCalls));
    _lines.at(1)->setString(text);
    std::snprintf(text, sizeof text, "GL verts:%6lu", static_cast<unsigned long>(figures.vertices));
    _lines.at(2)->setString(text);
}

NS_CC_END
