// OpenGL for the renderer: GL 1.1, GLU, and the two ARB multitexture entry points looked up at
// start-up into globals (see InitMultiTexture in app/AppWindow).
//
// Include this instead of <GL/gl.h>; code outside src/platform never includes SDL.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#ifndef GL_TEXTURE0_ARB
#define GL_TEXTURE0_ARB 0x84C0
#define GL_TEXTURE1_ARB 0x84C1
#endif
#ifndef GL_COMBINE_ARB
#define GL_COMBINE_ARB 0x8570
#define GL_COMBINE_RGB_ARB 0x8571
#define GL_COMBINE_ALPHA_ARB 0x8572
#define GL_SOURCE0_RGB_ARB 0x8580
#define GL_SOURCE1_RGB_ARB 0x8581
#define GL_OPERAND0_RGB_ARB 0x8590
#define GL_OPERAND1_RGB_ARB 0x8591
#define GL_ADD_SIGNED_ARB 0x8574
#define GL_PREVIOUS_ARB 0x8578
#endif

using PfnActiveTextureARB = void (*)(GLenum);
using PfnMultiTexCoord2fARB = void (*)(GLenum, GLfloat, GLfloat);
using PfnMultiTexCoord2fvARB = void (*)(GLenum, const GLfloat*);

// Looked-up entry points; null until InitMultiTexture found them in the current context.
extern PfnActiveTextureARB gwActiveTextureARB;
extern PfnMultiTexCoord2fARB gwMultiTexCoord2fARB;
extern PfnMultiTexCoord2fvARB gwMultiTexCoord2fvARB;

// True when both glActiveTextureARB and glMultiTexCoord2fARB were found.
extern bool HasMultiTexture;

namespace platform {
// Address of a GL entry point of the current context, or null.
void* GLProcAddress(const char* name);
// How many GL contexts have been made so far (Window::CreateGLContext counts them): a GL name
// kept with an older count belongs to a context that is gone.
unsigned GLContextSerial();
// True when a GL context is current on this thread.
bool HasCurrentGLContext();
// Called by Window::CreateGLContext each time it has made a context current.
void CountGLContext();
}
