#ifndef INV12RENDER_H
#define INV12RENDER_H

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>

// Draws an NV12 frame (a luma plane and one interleaved chroma plane) over the whole
// widget, from one buffer or two planes. The caller owns the pixels; they must stay
// valid until the next paint has run.
class INv12Render : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit INv12Render(QWidget* parent = nullptr);
    ~INv12Render() override;

    // One buffer: width x height luma bytes, directly followed by the chroma plane.
    void setNv12Data(uchar* data, int width, int height);
    // Two planes: luma, and (width >> 1) x (height >> 1) chroma pairs.
    void setNv12Data(uchar* y, uchar* uv, int width, int height);

    void renderNv12(uchar* data, int width, int height);
    void renderNv12(uchar* y, uchar* uv, int width, int height);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    enum DataForm { NoData = 0, OneBuffer = 1, TwoPlanes = 2 };

    QOpenGLShaderProgram m_program;
    GLuint m_textures[2] = {0, 0}; // luma, chroma
    QOpenGLBuffer m_vbo;
    uchar* m_data = nullptr;
    uchar* m_y = nullptr;
    uchar* m_uv = nullptr;
    int m_form = NoData;
    int m_width = 0;
    int m_height = 0;
    bool m_initialised = false;
};

#endif
