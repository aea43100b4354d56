#include "customui/iyuvrender.h"

#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

#include "customui/iglframe.h"

namespace {
// Positions, then texture coordinates: the first plane row lands at the top.
const GLfloat VERTICES[] = {
    -1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f, 1.0f, -1.0f,
    0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f,
};

const char* const VERTEX_SHADER =
    "attribute vec4 vertexIn;\n"
    "attribute vec2 textureIn;\n"
    "varying vec2 textureOut;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vertexIn;\n"
    "    textureOut = textureIn;\n"
    "}\n";

const char* const FRAGMENT_MAIN =
    "varying vec2 textureOut;\n"
    "uniform sampler2D tex_y;\n"
    "uniform sampler2D tex_u;\n"
    "uniform sampler2D tex_v;\n"
    "void main(void)\n"
    "{\n"
    "    gl_FragColor = yuvToRgb(texture2D(tex_y, textureOut).r, texture2D(tex_u, textureOut).r - 0.5,\n"
    "                            texture2D(tex_v, textureOut).r - 0.5);\n"
    "}\n";
}

IYuvRender::IYuvRender(QWidget* parent)
    : QOpenGLWidget(parent)
{
}

IYuvRender::~IYuvRender()
{
    if (!m_program)
        return; // never initialised: nothing in GL to release
    makeCurrent();
    m_vbo.destroy();
    for (QOpenGLTexture* texture : {m_textureY, m_textureU, m_textureV}) {
        texture->destroy();
        delete texture;
    }
    doneCurrent();
}

void IYuvRender::setYuvData(uchar* y, uchar* u, uchar* v, int width, int height)
{
    m_y = y;
    m_u = u;
    m_v = v;
    m_width = width;
    m_height = height;
    update();
}

void IYuvRender::startRender()
{
    m_render = true;
}

void IYuvRender::stopRender()
{
    m_render = false;
}

void IYuvRender::initializeGL()
{
    initializeOpenGLFunctions();
    // No depth test: the target is never cleared between frames, so a depth-tested
    // quad at the same depth would fail against the last frame's.

    m_vbo.create();
    m_vbo.bind();
    m_vbo.allocate(VERTICES, sizeof(VERTICES));

    m_program = new QOpenGLShaderProgram(this);
    const QByteArray fragment = QByteArray(IGlFrame::YUV_TO_RGB_GLSL) + FRAGMENT_MAIN;
    IGlFrame::addShader(m_program, QOpenGLShader::Vertex, VERTEX_SHADER, this);
    IGlFrame::addShader(m_program, QOpenGLShader::Fragment, fragment.constData(), this);
    m_program->bindAttributeLocation("vertexIn", 0);
    m_program->bindAttributeLocation("textureIn", 1);
    IGlFrame::link(m_program);
    m_program->bind();
    m_program->enableAttributeArray(0);
    m_program->enableAttributeArray(1);
    m_program->setAttributeBuffer(0, GL_FLOAT, 0, 2, 2 * sizeof(GLfloat));
    m_program->setAttributeBuffer(1, GL_FLOAT, 8 * sizeof(GLfloat), 2, 2 * sizeof(GLfloat));

    m_texY = m_program->uniformLocation("tex_y");
    m_texU = m_program->uniformLocation("tex_u");
    m_texV = m_program->uniformLocation("tex_v");
    m_textureY = new QOpenGLTexture(QOpenGLTexture::Target2D);
    m_textureU = new QOpenGLTexture(QOpenGLTexture::Target2D);
    m_textureV = new QOpenGLTexture(QOpenGLTexture::Target2D);
    m_textureY->create();
    m_textureU->create();
    m_textureV->create();
    m_idY = m_textureY->textureId();
    m_idU = m_textureU->textureId();
    m_idV = m_textureV->textureId();
}

void IYuvRender::paintGL()
{
    // Nothing to draw until a frame is set and rendering is on.
    if (!m_render || !m_y || !m_u || !m_v || m_width <= 0 || m_height <= 0)
        return;
    m_program->bind();
    m_vbo.bind();
    m_program->enableAttributeArray(0);
    m_program->enableAttributeArray(1);
    m_program->setAttributeBuffer(0, GL_FLOAT, 0, 2, 2 * sizeof(GLfloat));
    m_program->setAttributeBuffer(1, GL_FLOAT, 8 * sizeof(GLfloat), 2, 2 * sizeof(GLfloat));

    IGlFrame::uploadPlane(this, GL_TEXTURE0, m_idY, GL_RED, m_width, m_height, m_y);
    IGlFrame::uploadPlane(this, GL_TEXTURE1, m_idU, GL_RED, m_width >> 1, m_height >> 1, m_u);
    IGlFrame::uploadPlane(this, GL_TEXTURE2, m_idV, GL_RED, m_width >> 1, m_height >> 1, m_v);
    glUniform1i(m_texY, 0);
    glUniform1i(m_texU, 1);
    glUniform1i(m_texV, 2);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}
