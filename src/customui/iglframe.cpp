#include "customui/iglframe.h"

#include <QDebug>
#include <QOpenGLShaderProgram>

namespace IGlFrame {

// mat3 is given column by column.
const char* const YUV_TO_RGB_GLSL =
    "vec4 yuvToRgb(float y, float u, float v)\n"
    "{\n"
    "    mat3 m = mat3(1.0, 1.0, 1.0, 0.0, -0.39465, 2.03211, 1.13983, -0.58060, 0.0);\n"
    "    return vec4(m * vec3(y, u, v), 1.0);\n"
    "}\n";

void uploadPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture, GLint format, int width, int height,
                 const uchar* data)
{
    gl->glActiveTexture(unit);
    gl->glBindTexture(GL_TEXTURE_2D, texture);
    // Planes are tightly packed: with the default alignment of 4, rows of an odd
    // width (or 3-byte pixels) would be read skewed.
    gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GLenum(format), GL_UNSIGNED_BYTE, data);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

bool addShader(QOpenGLShaderProgram* program, QOpenGLShader::ShaderType type, const char* source,
               QObject* shaderParent)
{
    auto* shader = new QOpenGLShader(type, shaderParent ? shaderParent : program);
    if (!shader->compileSourceCode(source)) {
        qCritical() << "frame renderer: shader does not compile:" << shader->log();
        return false;
    }
    return program->addShader(shader);
}

bool link(QOpenGLShaderProgram* program)
{
    if (program->link())
        return true;
    qCritical() << "frame renderer: program does not link:" << program->log();
    return false;
}

}
