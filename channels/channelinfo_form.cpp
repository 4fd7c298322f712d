#include "channelinfo_form.h"

CHANNELINFO_Form::CHANNELINFO_Form(QWidget *parent, unsigned int, unsigned int, RadioData_S *image)
    : QWidget(parent), m_image(image)
{
    InitShow();
}

void CHANNELINFO_Form::InitShow() {}
void CHANNELINFO_Form::UpdData() {}
void CHANNELINFO_Form::GetData() {}
void CHANNELINFO_Form::SetChanAtt(unsigned char, unsigned char) {}
