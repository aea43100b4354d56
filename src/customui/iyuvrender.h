#ifndef IYUVRENDER_H
#define IYUVRENDER_H

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>

class QOpenGLShaderProgram;
class QOpenGLTexture;

// Draws a planar YUV 4:2:0 frame over the whole widget. The caller owns the planes;
// they must stay valid until the next paint has run.
class IYuvRender : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit IYuvRender(QWidget* parent = nullptr);
    ~IYuvRender() override;

    // Y holds width x height bytes, U and V (width >> 1) x (height >> 1) each.
    void setYuvData(uchar* y, uchar* u, uchar* v, int width, int height);
    // Frames are drawn only between startRender and stopRender.
    void startRender();
    void stopRender();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    QOpenGLShaderProgram* m_program = nullptr;
    QOpenGLBuffer m_vbo;
    GLint m_texY = -1;
    GLint m_texU = -1;
    GLint m_texV = -1;
    QOpenGLTexture* m_textureY = nullptr;
    QOpenGLTexture* m_textureU = nullptr;
    QOpenGLTexture* m_textureV = nullptr;
    GLuint m_idY = 0;
    GLuint m_idU = 0;
    GLuint m_idV = 0;
    int m_width = 0;
    int m_height = 0;
    uchar* m_y = nullptr;
    uchar* m_u = nullptr;
    uchar* m_v = nullptr;
    bool m_render = false;
};

#endif
