// The ARB multitexture entry points and the lookup of GL procedures through SDL.
#include "platform/GL.h"

#include <SDL.h>

PfnActiveTextureARB gwActiveTextureARB = nullptr;
PfnMultiTexCoord2fARB gwMultiTexCoord2fARB = nullptr;
PfnMultiTexCoord2fvARB gwMultiTexCoord2fvARB = nullptr;
bool HasMultiTexture = false;

namespace platform {

void* GLProcAddress(const char* name)
{
    if (!SDL_GL_GetCurrentContext())
        return nullptr;
    return SDL_GL_GetProcAddress(name);
}

namespace {
unsigned g_context_serial = 0;
}

unsigned GLContextSerial() { return g_context_serial; }

bool HasCurrentGLContext() { return SDL_GL_GetCurrentContext() != nullptr; }

void CountGLContext() { ++g_context_serial; }

}  // namespace platform
