#pragma once

#include <string>
#include <unordered_map>

#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

class TextureCache
{
public:
    TextureCache();
    ~TextureCache();

    // Resolves the name through FileUtils and decodes it once; null (with a log line naming
    // the file) when the file is missing or not a readable image.
    Texture2D* addImage(const std::string& filepath);
    Texture2D* getTextureForKey(const std::string& key) const;
    void removeTexture(Texture2D* texture);
    void removeTextureForKey(const std::string& key);
    void removeUnusedTextures();
    void removeAllTextures();

private:
    std::unordered_map<std::string, Texture2D*> _textures;
};

NS_CC_END
