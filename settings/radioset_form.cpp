#include "radioset_form.h"

RADIOSET_Form::RADIOSET_Form(QWidget *parent, RadioData_S *data)
    : QWidget(parent), m_image(data)
{
    InitShow();
}

void RADIOSET_Form::InitShow() {}
void RADIOSET_Form::UpdData() {}
void RADIOSET_Form::GetData() {}
