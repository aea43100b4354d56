#ifndef IGLFRAME_H
#define IGLFRAME_H

#include <QOpenGLFunctions>
#include <QOpenGLShader>
#include <QtGlobal>

class QOpenGLShaderProgram;

// What the three OpenGL frame renderers share: the YUV to RGB conversion, plane
// uploads and shader building.
namespace IGlFrame {

// GLSL: vec4 yuvToRgb(float y, float u, float v), u and v centred on 0.
extern const char* const YUV_TO_RGB_GLSL;

// Uploads one tightly packed 8-bit plane (format GL_RED, GL_RG or GL_RGB) into the
// texture on the given unit, re-specifying it whole; linear filtering, clamped edges.
void uploadPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture, GLint format, int width, int height,
                 const uchar* data);

// Compiles one shader into the program; on failure logs the compiler's text.
bool addShader(QOpenGLShaderProgram* program, QOpenGLShader::ShaderType type, const char* source,
               QObject* shaderParent = nullptr);
// Links the program; on failure logs the linker's text.
bool link(QOpenGLShaderProgram* program);

}

#endif
