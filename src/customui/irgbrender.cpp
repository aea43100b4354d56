#include "customui/irgbrender.h"

#include <QDebug>

#include "customui/iglframe.h"

namespace {
// Client-side arrays: a strip whose first plane row lands at the top.
const GLfloat POSITIONS[] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat TEXTURE_COORDINATES[] = {0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f};

const char* const FRAGMENT_SHADER =
    "varying vec2 texture_Out;\n"
    "uniform sampler2D tex;\n"
    "void main(void)\n"
    "{\n"
    "    gl_FragColor = texture2D(tex, texture_Out);\n"
    "}\n";

const char* const VERTEX_SHADER =
    "attribute vec4 vertexPosition;\n"
    "attribute vec2 textureCoordinate;\n"
    "varying vec2 texture_Out;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vertexPosition;\n"
    "    texture_Out = textureCoordinate;\n"
    "}\n";
}

IRgbRender::IRgbRender(QWidget* parent)
    : QOpenGLWidget(parent)
{
}

IRgbRender::~IRgbRender()
{
    if (!m_initialised)
        return;
    makeCurrent();
    glDeleteTextures(1, &m_texture);
    doneCurrent();
}

void IRgbRender::setRgbData(uchar* data, int width, int height)
{
    m_width = width;
    m_height = height;
    m_data = data;
    update();
}

void IRgbRender::pointAttributes()
{
    // Client-side arrays are read only while no vertex buffer is bound.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, POSITIONS);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, TEXTURE_COORDINATES);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
}

void IRgbRender::initializeGL()
{
    initializeOpenGLFunctions();
    qDebug() << IGlFrame::addShader(&m_program, QOpenGLShader::Fragment, FRAGMENT_SHADER);
    qDebug() << IGlFrame::addShader(&m_program, QOpenGLShader::Vertex, VERTEX_SHADER);
    m_program.bindAttributeLocation("vertexPosition", 0);
    m_program.bindAttributeLocation("textureCoordinate", 1);
    qDebug() << "m_program.link() = " << IGlFrame::link(&m_program);
    qDebug() << "m_program.bind() = " << m_program.bind();
    pointAttributes();

    m_tex = m_program.uniformLocation("tex");
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_initialised = true;
}

void IRgbRender::paintGL()
{
    // Nothing to draw until a frame is set.
    if (!m_data || m_width <= 0 || m_height <= 0)
        return;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_program.bind();
    pointAttributes();
    IGlFrame::uploadPlane(this, GL_TEXTURE0, m_texture, GL_RGB, m_width, m_height, m_data);
    glUniform1i(m_tex, 0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}
