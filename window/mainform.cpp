#include "mainform.h"

#include "module1.h"

void MainForm::Form_Load()
{
    for (std::int16_t i = 0; i < kAddressBitCount; ++i) {
        setCellCaption(i, Module1::kStateZero);
        setCellForeColor(i, Module1::kColorZero);
    }
    // "PIC 18F" is already the selected button; only its numbering is missing.
    OptionMode_Click(1);
    Module1::RecalculateAddressRange(*this);
}

void MainForm::CommandAddressBits_Click(std::int16_t Index)
{
    Module1::AdvanceCell(*this, Index);
    Module1::RecalculateAddressRange(*this);
}

void MainForm::OptionMode_Click(std::int16_t Index)
{
    Module1::SetBitNumberLabels(*this, Index);
}
