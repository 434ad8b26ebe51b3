#include "platform/CCGLDriver.h"

NS_CC_BEGIN

namespace platform {

// The Windows build is not run under the sanitizers, and opengl32 stays loaded until exit.
void keepGLDriverLoaded() {}

} // namespace platform

NS_CC_END
