#include "SdlDrawing.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <memory>

#include "XWindow.h"

namespace {

struct SdlDeleter
{
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
template <typename T>
using SdlHandle = std::unique_ptr<T, SdlDeleter>;

int driverIndex(const std::string& name)
{
    for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index)
    {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(index, &info) == 0 && name == info.name)
            return index;
    }
    return -1;
}

// In the renderer's preferred format, so SDL converts nothing while it draws.
SdlHandle<SDL_Texture> makeTexture(SDL_Renderer* renderer, Uint32 format, const SpriteImage& image)
{
    SdlHandle<SDL_Texture> texture(
        SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STATIC, image.width, image.height));
    if (!texture)
        return nullptr;
    std::vector<unsigned char> pixels(image.rgba.size());
    const int pitch = image.width * 4;
    if (SDL_ConvertPixels(image.width, image.height, SDL_PIXELFORMAT_RGBA32, image.rgba.data(), pitch, format,
                          pixels.data(), pitch) != 0 ||
        SDL_UpdateTexture(texture.get(), nullptr, pixels.data(), pitch) != 0 ||
        SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND) != 0)
        return nullptr;
    return texture;
}

} // namespace

std::vector<SdlDriver> sdlDrivers()
{
    std::vector<SdlDriver> drivers;
    for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index)
    {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(index, &info) == 0)
            drivers.push_back({info.name, (info.flags & SDL_RENDERER_ACCELERATED) != 0});
    }
    return drivers;
}

Measurement measureSdl(const std::string& driver, const SpriteField& field, const FrameBudget& budget,
                       std::vector<std::uint32_t>& capture)
{
    // Naming a driver turns SDL's command batching off unless it is asked for: SDL gets its best.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return failedMeasurement(SDL_GetError());
    SdlHandle<SDL_Window> window(SDL_CreateWindow("render bench", 0, 0, kWindowWidth, kWindowHeight, SDL_WINDOW_SHOWN));
    if (!window)
        return failedMeasurement(SDL_GetError());
    // No SDL_RENDERER_PRESENTVSYNC: like ours, SDL presents as soon as the frame is drawn.
    SdlHandle<SDL_Renderer> renderer(SDL_CreateRenderer(window.get(), driverIndex(driver), 0));
    if (!renderer)
        return failedMeasurement(SDL_GetError());
    SDL_RendererInfo info;
    SDL_GetRendererInfo(renderer.get(), &info);

    std::vector<SdlHandle<SDL_Texture>> textures;
    for (const SpriteImage& image : field.images)
    {
        textures.push_back(makeTexture(renderer.get(), info.texture_formats[0], image));
        if (!textures.back())
            return failedMeasurement(SDL_GetError());
    }

    SDL_SysWMinfo system;
    SDL_VERSION(&system.version);
    if (!SDL_GetWindowWMInfo(window.get(), &system) || system.subsystem != SDL_SYSWM_X11)
        return failedMeasurement("SDL's window is not an X11 window");
    Display* display = system.info.x11.display;
    // Null for the software driver, whose present is already finished when it returns.
    using FinishFunction = void (*)();
    auto finish = reinterpret_cast<FinishFunction>(
        SDL_GL_GetCurrentContext() != nullptr ? SDL_GL_GetProcAddress("glFinish") : nullptr);

    Measurement measured = timeFrames(
        [&] {
            SDL_Event event;
            while (SDL_PollEvent(&event))
            {
            }
            SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
            SDL_RenderClear(renderer.get());
            for (const Placement& placed : field.sprites)
            {
                const SpriteImage& image = field.images[placed.image];
                const SDL_Rect where{placed.left, placed.top, image.width, image.height};
                SDL_RenderCopy(renderer.get(), textures[placed.image].get(), nullptr, &where);
            }
            SDL_RenderPresent(renderer.get());
            // Done only when the frame has been drawn and has reached the X server, as ours.
            if (finish != nullptr)
                finish();
            XSync(display, False);
        },
        budget);
    capture = captureWindow(display, system.info.x11.window, 0, 0, kWindowWidth, kWindowHeight);
    return measured;
}
