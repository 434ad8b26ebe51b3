// What a developer would write instead of the game: SDL2's OpenGL renderer drawing 30
// alpha-blended sprites of the game's pictures that fly across the window, at 60 fps on
// absolute deadlines. A red square stands where the game's close button does, so the probe
// sees its first frame the same way.
#include <SDL2/SDL.h>
#include <png.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/CCFramePacer.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 640;
constexpr int kCloseButtonSide = 40;
constexpr int kSprites = 30;
constexpr float kFrameSeconds = 1.0f / 60.0f;
const char* const kPictures[] = {"Resources/Player.png", "Resources/Projectile.png", "Resources/Bird.png",
                                 "Resources/Bomber.png", "Resources/Fighter.png"};

struct Flyer
{
    SDL_Texture* texture;
    SDL_FRect place;
    float speed; // pixels a second, leftwards
};

// The picture as a static RGBA texture; null, after a line on stderr, when it cannot be made.
SDL_Texture* loadPicture(SDL_Renderer* renderer, const char* path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> pixels;
    if (png_image_begin_read_from_file(&image, path) != 0)
    {
        image.format = PNG_FORMAT_RGBA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    }
    if (image.warning_or_error & PNG_IMAGE_ERROR)
    {
        std::fprintf(stderr, "sdl_sprites: %s: %s\n", path, image.message);
        png_image_free(&image);
        return nullptr;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
    if (texture == nullptr || SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4) != 0 ||
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND) != 0)
    {
        std::fprintf(stderr, "sdl_sprites: %s: %s\n", path, SDL_GetError());
        return nullptr;
    }
    return texture;
}

} // namespace

int main()
{
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
    {
        std::fprintf(stderr, "sdl_sprites: %s\n", SDL_GetError());
        return 1;
    }
    // Made for OpenGL from the start: otherwise the GL renderer replaces the window with another.
    SDL_Window* window = SDL_CreateWindow("sdl sprites", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kWidth,
                                          kHeight, SDL_WINDOW_SHOWN | SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info{};
    if (renderer == nullptr || SDL_GetRendererInfo(renderer, &info) != 0 || info.name != std::string("opengl"))
    {
        std::fprintf(stderr, "sdl_sprites: no OpenGL renderer: %s\n", SDL_GetError());
        return 1;
    }

    std::vector<SDL_Texture*> pictures;
    for (const char* path : kPictures)
    {
        pictures.push_back(loadPicture(renderer, path));
        if (pictures.back() == nullptr)
            return 1;
    }
    std::mt19937 random(30);
    std::uniform_real_distribution<float> across(0.0f, kWidth);
    std::uniform_real_distribution<float> down(0.0f, kHeight - 64.0f);
    std::uniform_real_distribution<float> speed(kWidth / 3.0f, kWidth / 2.0f);
    std::vector<Flyer> flyers;
    for (int i = 0; i < kSprites; ++i)
    {
        SDL_Texture* texture = pictures[static_cast<size_t>(i) % pictures.size()];
        int width = 0;
        int height = 0;
        SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
        flyers.push_back({texture, {across(random), down(random), float(width), float(height)}, speed(random)});
    }

    cocos2d::FramePacer pacer;
    const SDL_Rect closeButton{kWidth - kCloseButtonSide, kHeight - kCloseButtonSide, kCloseButtonSide,
                               kCloseButtonSide};
    for (;;)
    {
        pacer.waitForNextFrame(1.0 / 60.0);
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
        {
            if (event.type == SDL_QUIT)
                return 0;
        }
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (Flyer& flyer : flyers)
        {
            flyer.place.x -= flyer.speed * kFrameSeconds;
            if (flyer.place.x + flyer.place.w < 0)
                flyer.place.x = kWidth;
            SDL_RenderCopyF(renderer, flyer.texture, nullptr, &flyer.place);
        }
        SDL_SetRenderDrawColor(renderer, 255, 0, 0, 255);
        SDL_RenderFillRect(renderer, &closeButton);
        SDL_RenderPresent(renderer);
    }
}
