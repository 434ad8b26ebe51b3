// Draws Skyvane's sprites and writes them as PNG files into the folder given
// on the command line, with the Windows program icon (skyvane.ico) made from
// the craft. The game uses each image's pixel size as its hit box, so every
// drawing fills its box with little empty margin.
#include "canvas.h"
#include "icon.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

namespace {

constexpr int kPlayerWidth = 48;
constexpr int kPlayerHeight = 32;
constexpr int kProjectileWidth = 10;
constexpr int kFighterWidth = 38;
// A Fighter fires its shot 25 units ahead of its centre; wider images would
// let the new shot touch its own Fighter and destroy it.
static_assert(kProjectileWidth / 2.0 + kFighterWidth / 2.0 < 25.0, "a Fighter would shoot itself down");

void drawPlayer(Canvas& c) {
    const Paint flameGlow = radialGradient({10, 19}, {8, 3.4f}, hex(0xffa020), hex(0xff3000, 0.6f));
    c.fillEllipse({6.5f, 19}, {6.5f, 3.4f}, flameGlow);
    c.fillEllipse({8.5f, 19}, {4.5f, 1.8f}, radialGradient({10, 19}, {4.5f, 1.8f}, hex(0xffffff), hex(0xffe060)));
    const Paint blueWing = linearGradient({0, 1}, hex(0x6fb4ff), {0, 31}, hex(0x1a4fb0));
    c.fillPolygon({{8, 13}, {12, 1}, {17, 1}, {23, 14}}, blueWing);  // tail fin
    c.fillPolygon({{8, 13}, {28, 12}, {39, 14}, {47, 19}, {40, 23}, {9, 24}},
                  linearGradient({0, 12}, hex(0xffffff), {0, 24}, hex(0x8aa6c8)));      // fuselage
    c.fillPolygon({{9, 19}, {44, 19}, {42, 21}, {9, 21}}, solid(hex(0x2f7ae5)));        // stripe
    c.fillPolygon({{8, 15.5f}, {11, 15}, {11, 23}, {8, 22.5f}}, solid(hex(0x5a6478)));  // nozzle
    c.fillPolygon({{17, 21}, {31, 21}, {23, 31}, {16, 31}}, blueWing);
    c.fillEllipse({33, 14}, {6, 3.5f}, linearGradient({0, 10.5f}, hex(0xbff4ff), {0, 16}, hex(0x1f8fc0)));  // canopy
    c.fillEllipse({31.5f, 12.8f}, {2.5f, 1}, solid(hex(0xffffff, 0.85f)));
    c.outline(hex(0x0c1e4a), 1);
}

void drawProjectile(Canvas& c) {
    c.fillEllipse({5, 3}, {5, 3}, radialGradient({5, 3}, {5, 3}, hex(0xffc030), hex(0xff5000, 0.15f)));
    c.fillEllipse({5, 3}, {3.8f, 1.8f}, radialGradient({5, 3}, {3.8f, 1.8f}, hex(0xffffff), hex(0xffe060)));
}

void drawBird(Canvas& c) {
    const Color feather = hex(0xe8c08a);
    c.fillPolygon({{24, 16}, {31, 12}, {31, 21.5f}, {25, 20}},
                  linearGradient({24, 0}, hex(0xa06a38), {31, 0}, hex(0x6a3e1a)));  // tail
    c.fillEllipse({17, 17}, {9.5f, 5.5f}, linearGradient({0, 11.5f}, hex(0xb87a40), {0, 22.5f}, hex(0xf4dcb0)));
    c.fillPolygon({{0, 14}, {5, 11.5f}, {5, 16.5f}}, solid(hex(0xffb020)));  // beak
    c.fillEllipse({8, 13}, {4.5f, 4.5f}, linearGradient({0, 8.5f}, hex(0xc08040), {0, 17.5f}, hex(0xf0c890)));
    c.fillEllipse({7, 12}, {1.4f, 1.4f}, solid(hex(0xffffff)));
    c.fillEllipse({6.6f, 12}, {0.8f, 0.8f}, solid(hex(0x000000)));
    c.fillPolygon({{12, 14}, {16, 6}, {23, 1}, {30, 0}, {27, 5}, {22, 13}},
                  linearGradient({16, 12}, hex(0x9a6430), {28, 1}, hex(0x4e2c10)));  // raised wing
    c.strokeLine({12.5f, 13}, {16.5f, 5.5f}, 1, solid(feather));
    c.strokeLine({16.5f, 5.5f}, {23, 1.5f}, 1, solid(feather));
    c.outline(hex(0x2a1606), 1);
}

void drawBomber(Canvas& c) {
    const Paint hull = linearGradient({0, 9}, hex(0x9aaa86), {0, 23}, hex(0x3a4532));
    const Color shadow = hex(0x2f3a28);
    c.fillPolygon({{48, 11}, {54, 1}, {61, 1}, {63, 12}},
                  linearGradient({0, 1}, hex(0x8a9a78), {0, 12}, hex(0x4a5a3c)));  // tail fin
    c.fillEllipse({10, 16}, {9, 6.5f}, hull);                                      // rounded nose
    c.fillPolygon({{10, 9.5f}, {52, 11}, {63, 12}, {63, 16}, {52, 22}, {10, 22.5f}}, hull);
    c.fillPolygon({{52, 14}, {63, 13.5f}, {63, 16.5f}, {55, 17}}, solid(shadow));  // tailplane
    c.fillPolygon({{4.5f, 12.5f}, {8.5f, 9.8f}, {14, 9.8f}, {13.5f, 12.5f}},
                  linearGradient({0, 9.8f}, hex(0x9fe0e8), {0, 12.5f}, hex(0x2a6070)));  // cockpit glazing
    c.fillPolygon({{22, 18}, {34, 18}, {47.5f, 30.5f}, {39.5f, 30.5f}},
                  linearGradient({0, 18}, hex(0x6a7a5c), {0, 30}, hex(0x343f2c)));  // near wing
    for (Vec2 pod : {Vec2{29, 22.5f}, Vec2{36, 27.5f}}) {                           // engines under the wing
        c.fillEllipse(pod, {5, 2}, linearGradient({0, pod.y - 2}, hex(0xa0b08c), {0, pod.y + 2}, hex(0x3a4532)));
        c.fillEllipse({pod.x - 4.3f, pod.y}, {0.7f, 1.5f}, solid(hex(0x151a12)));
        c.fillPolygon({{pod.x + 4, pod.y - 1.2f},
                       {pod.x + 6, pod.y - 0.8f},
                       {pod.x + 6, pod.y + 0.8f},
                       {pod.x + 4, pod.y + 1.2f}},
                      solid(hex(0x2a2a2a)));
    }
    c.fillEllipse({38, 16}, {2.6f, 2.6f}, solid(hex(0xd8d8d0)));  // roundel
    c.fillEllipse({38, 16}, {1.4f, 1.4f}, solid(hex(0xc02020)));
    for (float x : {24.0f, 46.0f}) c.strokeLine({x, 11}, {x, 21.5f}, 0.5f, solid(shadow));  // panel seams
    c.outline(hex(0x10140c), 1);
}

void drawFighter(Canvas& c) {
    c.fillPolygon({{27, 11}, {31, 1}, {36, 1}, {37, 11}},
                  linearGradient({0, 1}, hex(0xff5040), {0, 11}, hex(0xa01414)));  // tail fin
    c.fillPolygon({{0, 14}, {9, 11}, {27, 9.5f}, {37, 10.5f}, {37, 17}, {9, 17}},
                  linearGradient({0, 9}, hex(0xff7a66), {0, 18}, hex(0x8a1010)));   // fuselage
    c.fillPolygon({{37, 12}, {37, 16}, {35, 16}, {35, 12}}, solid(hex(0x3a3a3a)));  // nozzle
    c.fillPolygon({{13, 16}, {27, 15.5f}, {34, 25}, {29, 25}},
                  linearGradient({0, 15}, hex(0xd02a20), {0, 25}, hex(0x6a0a0a)));  // swept wing
    c.fillEllipse({13, 10.5f}, {5.5f, 2.6f}, linearGradient({0, 8}, hex(0xd0f0ff), {0, 13}, hex(0x203848)));
    c.strokeLine({6, 14.5f}, {33, 14.5f}, 0.7f, solid(hex(0xffe0d8)));
    c.outline(hex(0x300404), 1.0f);
}

struct CloseStyle {
    Color top;
    Color bottom;
    Color cross;
    float shift;  // the pressed button sinks by this much
};

void drawCloseButton(Canvas& c, const CloseStyle& style) {
    const Vec2 centre{20.0f, 20.0f + style.shift};
    c.fillEllipse({20, 20}, {20, 20}, solid(hex(0xf2f2f2)));  // rim
    c.fillEllipse(centre, {17.5f, 17.5f}, linearGradient({0, 2.5f}, style.top, {0, 37.5f}, style.bottom));
    for (float sign : {-1.0f, 1.0f}) {
        c.strokeLine({centre.x - 7.5f, centre.y - 7.5f * sign}, {centre.x + 7.5f, centre.y + 7.5f * sign}, 4.5f,
                     solid(style.cross));
    }
}

void drawCloseNormal(Canvas& c) { drawCloseButton(c, {hex(0xff7a6a), hex(0xb01c1c), hex(0xffffff), 0.0f}); }

// Pressed: darker, lit from below and sunk, so a click is visible at once.
void drawCloseSelected(Canvas& c) { drawCloseButton(c, {hex(0x7a1010), hex(0xc83a30), hex(0xd8d8d8), 1.0f}); }

struct Sprite {
    const char* file;
    int width;
    int height;
    void (*draw)(Canvas&);
};

const Sprite kSprites[] = {
    {"Player.png", kPlayerWidth, kPlayerHeight, drawPlayer},
    {"Projectile.png", kProjectileWidth, 6, drawProjectile},
    {"Bird.png", 32, 24, drawBird},
    {"Bomber.png", 64, 32, drawBomber},
    {"Fighter.png", kFighterWidth, 26, drawFighter},
    {"CloseNormal.png", 40, 40, drawCloseNormal},
    {"CloseSelected.png", 40, 40, drawCloseSelected},
};

// The sizes Explorer and the taskbar ask for at 100 % to 200 % scaling.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 256};

// The craft across the middle of each square picture.
std::vector<Canvas> drawIcon() {
    std::vector<Canvas> pictures;
    for (int size : kIconSizes) {
        Canvas canvas(size, size);
        const float scale = static_cast<float>(size) / kPlayerWidth;
        canvas.setTransform(scale, {0.0f, (size - kPlayerHeight * scale) / 2.0f});
        drawPlayer(canvas);
        pictures.push_back(std::move(canvas));
    }
    return pictures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "assetgen") << " OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        for (const Sprite& sprite : kSprites) {
            Canvas canvas(sprite.width, sprite.height);
            sprite.draw(canvas);
            canvas.savePng((folder / sprite.file).string());
        }
        writeFile((folder / "skyvane.ico").string(), encodeIco(drawIcon()));
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
