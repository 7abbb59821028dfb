#include "views/series/Generate_List.h"

#include <QPushButton>

#include "data/SeriesGenerator.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/MessagePresenter.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/SeriesDestination.h"
#include "views/series/SeriesWindowStyle.h"
#include "ui_Generate_List.h"

using namespace SeriesGenerator;

namespace {

// Keeps a whole-number field to one integer while typing; a refused keystroke beeps.
class IntegerTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        // A lone sign is no number yet, so it is refused as any other text.
        if (isPartialIntegerText(input))
            return Acceptable;
        messagePresenter().beep();
        return Invalid;
    }
};

}  // namespace

Generate_List::Generate_List(SeriesWindowLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Generate_List>()), _links(std::move(links))
{
    ui->setupUi(this);
    styleSeriesWindow(*this);
    auto* integers = new IntegerTextValidator(this);
    for (QLineEdit* field : {ui->from_txt, ui->to_txt, ui->count_txt, ui->rand_count_txt, ui->rand_length_txt})
        field->setValidator(integers);
    connect(ui->radioButton_Sequntial, &QRadioButton::clicked, this, &Generate_List::Sequintial_Radio_Pressed);
    connect(ui->radioButton_Constant, &QRadioButton::clicked, this, &Generate_List::Constant_Radio_Pressed);
    connect(ui->radioButton_Random, &QRadioButton::clicked, this, &Generate_List::Random_Radio_Pressed);
    connect(ui->help_btn, &QPushButton::clicked, this, &Generate_List::Help_btn_Pressed);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &Generate_List::OKPressed);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &Generate_List::CancelPressed);
    connectLimits();
}

Generate_List::~Generate_List() = default;

int Generate_List::Open_Wnd()
{
    resetFields();
    ui->prefix_txt->setFocus();
    return dialogPresenter().runModal(*this);
}

void Generate_List::resetFields()
{
    const bool named = flags.file_name_required == 1;
    for (QLineEdit* field : {ui->seq_file_name, ui->const_file_name, ui->rndm_file_name})
        field->clear();
    if (named)
        ui->seq_file_name->setText(default_file_name);
    for (QWidget* name : std::initializer_list<QWidget*>{ui->seq_file_name, ui->const_file_name, ui->rndm_file_name,
                                                        ui->seq_file_label, ui->const_file_label, ui->rndm_file_label})
        name->setVisible(named);
    ui->manage_digit_chk->setChecked(false);
    for (QLineEdit* field : {ui->prefix_txt, ui->suffix_txt, ui->from_txt, ui->to_txt, ui->value_txt,
                             ui->rand_prefix_txt, ui->rand_suffix_txt})
        field->clear();
    for (QLineEdit* field : {ui->count_txt, ui->rand_length_txt, ui->rand_count_txt})
        field->setText(QStringLiteral("1"));
    for (QSpinBox* stepper : {ui->count_stepper, ui->rand_length_stepper, ui->rand_count_stepper})
        stepper->setValue(1);
    selectMode(Mode::Sequential);
}

void Generate_List::Sequintial_Radio_Pressed()
{
    selectMode(Mode::Sequential);
}

void Generate_List::Constant_Radio_Pressed()
{
    selectMode(Mode::Constant);
}

void Generate_List::Random_Radio_Pressed()
{
    selectMode(Mode::Random);
}

QLineEdit& Generate_List::nameField(Mode mode) const
{
    switch (mode) {
    case Mode::Sequential:
        return *ui->seq_file_name;
    case Mode::Constant:
        return *ui->const_file_name;
    case Mode::Random:
        break;
    }
    return *ui->rndm_file_name;
}

void Generate_List::selectMode(Mode mode)
{
    _mode = mode;
    ui->radioButton_Sequntial->setChecked(mode == Mode::Sequential);
    ui->radioButton_Constant->setChecked(mode == Mode::Constant);
    ui->radioButton_Random->setChecked(mode == Mode::Random);
    if (flags.file_name_required == 1 && Trim_Str(nameField(mode).text()).isEmpty())
        nameField(mode).setText(default_file_name);
    const QList<std::pair<Mode, QList<QWidget*>>> groups = {
        {Mode::Sequential, {ui->seq_file_name, ui->prefix_txt, ui->suffix_txt, ui->from_txt, ui->to_txt,
                            ui->help_btn, ui->manage_digit_chk}},
        {Mode::Constant, {ui->const_file_name, ui->value_txt, ui->count_txt, ui->count_stepper}},
        {Mode::Random, {ui->rndm_file_name, ui->rand_prefix_txt, ui->rand_suffix_txt, ui->rand_length_txt,
                        ui->rand_length_stepper, ui->rand_count_txt, ui->rand_count_stepper}},
    };
    for (const auto& [groupMode, widgets] : groups) {
        for (QWidget* widget : widgets)
            widget->setEnabled(groupMode == mode);
    }
}

void Generate_List::connectLimits()
{
    keepLimited(*ui->count_txt, limitCountText, ui->count_stepper);
    keepLimited(*ui->rand_count_txt, limitCountText, ui->rand_count_stepper);
    keepLimited(*ui->rand_length_txt, limitLengthText, ui->rand_length_stepper);
    keepLimited(*ui->from_txt, limitBoundText, nullptr);
    keepLimited(*ui->to_txt, limitBoundText, nullptr);
}

void Generate_List::keepLimited(QLineEdit& field, QString (*limit)(const QString&), QSpinBox* stepper)
{
    connect(&field, &QLineEdit::textEdited, this, [&field, limit, stepper] {
        const QString limited = limit(field.text());
        if (limited != field.text())
            field.setText(limited);
        if (stepper)
            stepper->setValue(int(leadingInteger(limited)));
    });
    if (!stepper)
        return;
    // The stepper's arrows set the field; typing sets the stepper above.
    connect(stepper, &QSpinBox::valueChanged, this, [&field](int value) {
        if (leadingInteger(field.text()) != value)
            field.setText(QString::number(value));
    });
}

bool Generate_List::fieldsHold()
{
    QString problem;
    QLineEdit* focus = nullptr;
    switch (_mode) {
    case Mode::Sequential:
        problem = sequentialProblem({ui->prefix_txt->text(), ui->suffix_txt->text(), ui->from_txt->text(),
                                     ui->to_txt->text(), ui->manage_digit_chk->isChecked()});
        focus = problem == kToEmptyMessage ? ui->to_txt : ui->from_txt;
        break;
    case Mode::Constant:
        problem = constantProblem({ui->value_txt->text(), ui->count_txt->text()});
        focus = problem == kValueEmptyMessage ? ui->value_txt : ui->count_txt;
        break;
    case Mode::Random:
        problem = randomProblem({ui->rand_prefix_txt->text(), ui->rand_suffix_txt->text(),
                                 ui->rand_length_txt->text(), ui->rand_count_txt->text()});
        focus = problem == kLengthEmptyMessage ? ui->rand_length_txt : ui->rand_count_txt;
        break;
    }
    if (problem.isEmpty())
        return true;
    Show_MessageBox(problem);
    focus->setFocus();
    return false;
}

void Generate_List::OKPressed()
{
    if (!fieldsHold() || !generate())
        return;
    done(1);
}

bool Generate_List::generate()
{
    SeriesDestination destination(_links, flags);
    if (!destination.prepare(nameField(_mode).text()))
        return false;
    const SeriesValueSink sink = [&destination](const QString& value) { destination.add(value); };
    switch (_mode) {
    case Mode::Sequential:
        generateSequential({ui->prefix_txt->text(), ui->suffix_txt->text(), ui->from_txt->text(), ui->to_txt->text(),
                            ui->manage_digit_chk->isChecked()},
                           sink);
        break;
    case Mode::Constant:
        generateConstant({ui->value_txt->text(), ui->count_txt->text()}, sink);
        break;
    case Mode::Random:
        generateRandom({ui->rand_prefix_txt->text(), ui->rand_suffix_txt->text(), ui->rand_length_txt->text(),
                        ui->rand_count_txt->text()},
                       sink);
        break;
    }
    return destination.finish();
}

void Generate_List::CancelPressed()
{
    done(0);
}

void Generate_List::Help_btn_Pressed()
{
    Cutom_Msg_Title = kKeepDigitsHelpTitle;
    Cutom_Msg_Val = kKeepDigitsHelpText;
    presentMessageBox(
        MessageBoxRequest{.text = Cutom_Msg_Title, .buttons = {QStringLiteral("OK")}, .informativeText = Cutom_Msg_Val});
}
