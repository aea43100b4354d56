#include "customui/inv12render.h"

#include <QDebug>

#include "customui/iglframe.h"

namespace {
// Positions, then texture coordinates: the first plane row lands at the top.
const GLfloat VERTICES[] = {
    -1.0f, 1.0f, 1.0f, 1.0f, 1.0f, -1.0f, -1.0f, -1.0f,
    0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f,
};

const char* const VERTEX_SHADER =
    "attribute vec4 vertexIn;\n"
    "attribute vec4 textureIn;\n"
    "varying vec4 textureOut;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vertexIn;\n"
    "    textureOut = textureIn;\n"
    "}\n";

// The luma offset is taken off without stretching the range back.
const char* const FRAGMENT_MAIN =
    "varying vec4 textureOut;\n"
    "uniform sampler2D textureY;\n"
    "uniform sampler2D textureUV;\n"
    "void main(void)\n"
    "{\n"
    "    vec4 uv = texture2D(textureUV, textureOut.st);\n"
    "    gl_FragColor = yuvToRgb(texture2D(textureY, textureOut.st).r - 0.0625, uv.r - 0.5, uv.g - 0.5);\n"
    "}\n";
}

INv12Render::INv12Render(QWidget* parent)
    : QOpenGLWidget(parent)
{
}

INv12Render::~INv12Render()
{
    if (!m_initialised)
        return;
    makeCurrent();
    m_vbo.destroy();
    glDeleteTextures(2, m_textures);
    doneCurrent();
}

void INv12Render::setNv12Data(uchar* data, int width, int height)
{
    m_data = data;
    m_width = width;
    m_height = height;
    m_form = OneBuffer;
    update();
}

void INv12Render::setNv12Data(uchar* y, uchar* uv, int width, int height)
{
    m_y = y;
    m_uv = uv;
    m_width = width;
    m_height = height;
    m_form = TwoPlanes;
    update();
}

void INv12Render::initializeGL()
{
    initializeOpenGLFunctions();
    const QByteArray fragment = QByteArray(IGlFrame::YUV_TO_RGB_GLSL) + FRAGMENT_MAIN;
    IGlFrame::addShader(&m_program, QOpenGLShader::Vertex, VERTEX_SHADER);
    IGlFrame::addShader(&m_program, QOpenGLShader::Fragment, fragment.constData());
    IGlFrame::link(&m_program);

    m_vbo.create();
    m_vbo.bind();
    m_vbo.allocate(VERTICES, sizeof(VERTICES));

    glGenTextures(2, m_textures);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_initialised = true;
}

void INv12Render::paintGL()
{
    switch (m_form) {
    case TwoPlanes:
        renderNv12(m_y, m_uv, m_width, m_height);
        break;
    case OneBuffer:
        renderNv12(m_data, m_width, m_height);
        break;
    default:
        break; // nothing set yet
    }
}

void INv12Render::renderNv12(uchar* data, int width, int height)
{
    if (!data)
        return;
    renderNv12(data, data + width * height, width, height);
    qDebug() << "----->renderNv12";
}

void INv12Render::renderNv12(uchar* y, uchar* uv, int width, int height)
{
    if (!m_initialised || !y || !uv || width <= 0 || height <= 0)
        return;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);

    m_program.bind();
    m_vbo.bind();
    const int vertexIn = m_program.attributeLocation("vertexIn");
    const int textureIn = m_program.attributeLocation("textureIn");
    m_program.enableAttributeArray(vertexIn);
    m_program.enableAttributeArray(textureIn);
    m_program.setAttributeBuffer(vertexIn, GL_FLOAT, 0, 2, 2 * sizeof(GLfloat));
    m_program.setAttributeBuffer(textureIn, GL_FLOAT, 8 * sizeof(GLfloat), 2, 2 * sizeof(GLfloat));

    IGlFrame::uploadPlane(this, GL_TEXTURE1, m_textures[0], GL_RED, width, height, y);
    IGlFrame::uploadPlane(this, GL_TEXTURE0, m_textures[1], GL_RG, width >> 1, height >> 1, uv);
    m_program.setUniformValue("textureUV", 0);
    m_program.setUniformValue("textureY", 1);

    glDrawArrays(GL_QUADS, 0, 4);
    m_program.disableAttributeArray(vertexIn);
    m_program.disableAttributeArray(textureIn);
    m_program.release();
}
