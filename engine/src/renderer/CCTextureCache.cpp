#include "renderer/CCTextureCache.h"

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"
#include "platform/CCImage.h"

NS_CC_BEGIN

TextureCache::TextureCache() = default;

TextureCache::~TextureCache()
{
    removeAllTextures();
}

Texture2D* TextureCache::addImage(const std::string& filepath)
{
    const std::string fullPath = FileUtils::getInstance()->fullPathForFilename(filepath);
    if (fullPath.empty())
    {
        log("Can't load image \"%s\": no such file in the search paths", filepath.c_str());
        return nullptr;
    }
    if (Texture2D* cached = getTextureForKey(fullPath))
        return cached;

    // Image logs the reason itself when the file is unreadable or not a valid PNG.
    Image image;
    if (!image.initWithImageFile(fullPath))
        return nullptr;
    auto* texture = new Texture2D();
    if (!texture->initWithImage(&image))
    {
        texture->release();
        return nullptr;
    }
    _textures.emplace(fullPath, texture);
    return texture;
}

Texture2D* TextureCache::getTextureForKey(const std::string& key) const
{
    auto found = _textures.find(key);
    if (found == _textures.end())
        found = _textures.find(FileUtils::getInstance()->fullPathForFilename(key));
    return found != _textures.end() ? found->second : nullptr;
}

void TextureCache::removeTexture(Texture2D* texture)
{
    for (auto it = _textures.begin(); it != _textures.end(); ++it)
    {
        if (it->second == texture)
        {
            texture->release();
            _textures.erase(it);
            return;
        }
    }
}

void TextureCache::removeTextureForKey(const std::string& key)
{
    removeTexture(getTextureForKey(key));
}

void TextureCache::removeUnusedTextures()
{
    for (auto it = _textures.begin(); it != _textures.end();)
    {
        if (it->second->getReferenceCount() == 1)
        {
            it->second->release();
            it = _textures.erase(it);
        }
        else
        {
            ++it;
        }
    }
}

void TextureCache::removeAllTextures()
{
    for (auto& entry : _textures)
        entry.second->release();
    _textures.clear();
}

NS_CC_END
