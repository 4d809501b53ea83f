// Headers that nearly every window and widget source includes, compiled once per target when
// LISTRION_PCH is on (the CI builds). Sources still include what they use.
#pragma once

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QString>
#include <QTableView>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
