#include "macset_form.h"

MACSET_Form::MACSET_Form(QWidget *parent, RadioData_S *data)
    : QWidget(parent), m_image(data)
{
    InitShow();
}

void MACSET_Form::InitShow() {}
void MACSET_Form::UpdData() {}
void MACSET_Form::GetData() {}
