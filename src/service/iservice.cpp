#include "service/iservice.h"

#include "iapplication.h"

MainFrame* IService::mainFrame() const
{
    return m_app ? m_app->mainFrame() : nullptr;
}
