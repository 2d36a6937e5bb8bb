#pragma once

#include <QString>

class PanelStatusBar;
class QWidget;

// The parameter table S_参数表 and the program-wide routines around the settings record.

// Fills AppGlobals from the company profile and S_参数表 (after a successful login).
void LoadSystemParams();
// 参数值 of the row whose 编码 is name; empty when there is no such row.
QString GetParam(const QString& name);
// Sets 参数值 of the row whose 编码 is name; no row, no effect. Database errors propagate.
void SetParam(const QString& name, const QString& value);

// Asks "真的要退出系统吗？"; on yes closes the connection and requests the end. True when ending.
bool ConfirmExit(QWidget* parent = nullptr);

// The four panels of the main and list windows' status bars (window is not used).
void FillStatusBar(QWidget* window, PanelStatusBar* bar);
