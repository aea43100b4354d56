#ifndef IRGBRENDER_H
#define IRGBRENDER_H

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>

// Draws a packed 24-bit RGB frame (red, green, blue bytes) over the whole widget.
// The caller owns the pixels; they must stay valid until the next paint has run.
class IRgbRender : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit IRgbRender(QWidget* parent = nullptr);
    ~IRgbRender() override;

    void setRgbData(uchar* data, int width, int height);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void pointAttributes();

    QOpenGLShaderProgram m_program;
    GLint m_tex = -1;
    GLuint m_texture = 0;
    int m_width = 0;
    int m_height = 0;
    uchar* m_data = nullptr;
    bool m_initialised = false;
};

#endif
