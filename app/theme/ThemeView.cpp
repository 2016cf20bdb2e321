#include "app/theme/ThemeView.h"

#include "app/theme/ThemeControls.h"
#include "app/theme/ThemeFonts.h"
#include "app/theme/ThemeOptions.h"
#include "app/theme/ThemePreviewColumn.h"
#include "shared/foundation/ThemeSettings.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/ThemeStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace plyx {

namespace {
QColor qcolor(const ui::Color& c) { return QColor::fromRgbF(c.r, c.g, c.b, c.a); }
ui::Color uiColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return ui::Color::rgb(rgb.redF(), rgb.greenF(), rgb.blueF());
}

QLabel* label(const QString& text, const QFont& font, QWidget* parent, std::optional<QColor> color = std::nullopt) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    if (color) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, *color);
        l->setPalette(pal);
    }
    return l;
}

void defaultSchedule(std::chrono::milliseconds delay, QObject* context, std::function<void()> done) {
    QTimer::singleShot(delay, context, std::move(done));
}
} // namespace

ThemeView::ThemeView(ThemeStore& theme, QWidget* parent)
    : QWidget(parent), theme_(theme), draft_(std::make_unique<ThemeSettings>(ThemeStore::current())),
      scheduler_(defaultSchedule) {
    setObjectName("ThemeView");
    setWindowTitle(kTitle);
    setProperty("navigationSubtitle", QString(kSubtitle));

    auto* sections = new QWidget;
    auto* stack = new QVBoxLayout(sections);
    stack->setContentsMargins(20, 20, 0, 20);
    stack->setSpacing(14);
    stack->addWidget(accentSection());
    stack->addWidget(numeralsSection());
    stack->addWidget(labelsSection());
    stack->addWidget(surfaceSection());
    stack->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("settingsScroll");
    scroll->setWidget(sections);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // At the window's smaller sizes the preview column leaves the settings
    // less than the cards' width: they scroll sideways then rather than
    // being cut off.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->viewport()->setAutoFillBackground(false);
    sections->setAutoFillBackground(false);

    preview_ = new ThemePreviewColumn(this);
    connect(preview_, &ThemePreviewColumn::applyClicked, this, &ThemeView::apply);

    auto* previewBox = new QVBoxLayout;
    previewBox->setContentsMargins(0, 20, 20, 20);
    previewBox->addWidget(preview_);

    // The page's title and subtitle head it, as the gallery and the
    // wallpapers panes head theirs.
    auto* header = new QWidget(this);
    header->setObjectName("header");
    auto* titles = new QVBoxLayout(header);
    titles->setContentsMargins(20, 10, 20, 0);
    titles->setSpacing(0);
    auto* title = new QLabel(kTitle, header);
    title->setObjectName("title");
    QFont titleFont = title->font();
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* subtitle = new QLabel(kSubtitle, header);
    subtitle->setObjectName("subtitle");
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    titles->addWidget(title);
    titles->addWidget(subtitle);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(16);
    columns->addWidget(scroll, 1);
    columns->addLayout(previewBox);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(header);
    page->addLayout(columns, 1);

    refresh();
}

ThemeView::~ThemeView() = default;

const ThemeSettings& ThemeView::draft() const { return *draft_; }

QColor ThemeView::customColor() const { return well_->color(); }

QWidget* ThemeView::accentSection() {
    const auto& s = ThemeOptions::accentSection;
    auto* card = new SectionCard(s.title, s.subtitle);
    card->setObjectName("section.accent");

    auto* row = new QHBoxLayout;
    // The swatch boxes leave 3 points around each circle for its ring, so the
    // 14 points between circles are 8 between boxes.
    row->setSpacing(8);
    row->setContentsMargins(0, 2, 0, 0);
    for (size_t i = 0; i < ThemeOptions::swatches.size(); ++i) {
        const auto kind = ThemeOptions::swatches[i];
        auto* swatch = new Swatch(qcolor(ThemeSettings::Accent::named(kind).color()), card);
        swatch->setObjectName(QString("swatch.%1").arg(i));
        swatch->setAccessibleName(QString::fromStdString(ThemeOptions::accentName({ThemeSettings::Accent::named(kind)})));
        connect(swatch, &QAbstractButton::clicked, this, [this, i] { chooseAccent(int(i)); });
        row->addWidget(swatch);
        swatches_[i] = swatch;
    }
    // The well starts on nothing-red every time the editor is made; it is not
    // loaded from the draft, and picking a colour is what makes it the accent.
    well_ = new ColorWell(qcolor(PlyxTokens::nothingRed), card);
    well_->setObjectName("customSwatch");
    connect(well_, &ColorWell::colorChanged, this, &ThemeView::customColorChanged);
    row->addWidget(well_);
    row->addStretch(1);
    accentCaption_ = label({}, ThemeFonts::fragmentMono(10, 1.2), card);
    accentCaption_->setObjectName("accentName");
    row->addWidget(accentCaption_);
    card->content()->addLayout(row);

    auto* divider = new QFrame(card);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    card->content()->addSpacing(4);
    card->content()->addWidget(divider);
    card->content()->addSpacing(4);

    follow_ = new QCheckBox(ThemeOptions::kFollowSystemAccent, card);
    follow_->setObjectName("followSystemAccent");
    follow_->setFont(ThemeFonts::system(11));
    connect(follow_, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](ThemeSettings& d) { d.followSystemAccent = on; }); });
    card->content()->addWidget(follow_);
    return card;
}

QWidget* ThemeView::numeralsSection() {
    const auto& s = ThemeOptions::numeralsSection;
    auto* card = new SectionCard(s.title, s.subtitle);
    card->setObjectName("section.numerals");
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    for (size_t i = 0; i < ThemeOptions::numerals.size(); ++i) {
        const auto& option = ThemeOptions::numerals[i];
        auto* optionCard = new OptionCard(card);
        optionCard->setObjectName(QString("numerals.%1").arg(QString::fromStdString(rawValue(option.style))));
        optionCard->setAccessibleName(option.name);
        auto* content = optionCard->content();
        QFont sample = ThemeFonts::qtFont(PlyxFonts::numerals(24, option.style, ui::FontWeight::bold));
        // The system style draws in the face the widgets draw it in.
        if (!option.fontTag) sample.setFamily(ThemeFonts::systemFaceFamily());
        content->addWidget(label(ThemeOptions::kNumeralSample, sample, optionCard));
        content->addSpacing(8);
        content->addWidget(label(option.name, ThemeFonts::system(11, ui::FontWeight::semibold), optionCard));
        content->addSpacing(2);
        const QString tag = option.fontTag ? QString(option.fontTag) : ThemeFonts::systemFaceFamily().toUpper();
        auto* tagLabel = label(tag, ThemeFonts::fragmentMono(8.5), optionCard, secondaryForeground(palette()));
        tagLabel->setObjectName("fontTag");
        content->addWidget(tagLabel);
        const auto style = option.style;
        connect(optionCard, &QAbstractButton::clicked, this,
                [this, style] { edit([style](ThemeSettings& d) { d.numerals = style; }); });
        row->addWidget(optionCard);
        numeralCards_[i] = optionCard;
    }
    card->content()->addLayout(row);
    return card;
}

QWidget* ThemeView::labelsSection() {
    const auto& s = ThemeOptions::labelsSection;
    auto* card = new SectionCard(s.title, s.subtitle);
    card->setObjectName("section.labels");
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    for (size_t i = 0; i < ThemeOptions::labels.size(); ++i) {
        const auto& option = ThemeOptions::labels[i];
        auto* optionCard = new OptionCard(card);
        optionCard->setObjectName(QString("labels.%1").arg(QString::fromStdString(rawValue(option.style))));
        optionCard->setAccessibleName(option.name);
        auto* content = optionCard->content();
        const QFont sampleFont = option.monoSample ? ThemeFonts::fragmentMono(11, 1.5) : ThemeFonts::system(12);
        content->addWidget(label(option.sample, sampleFont, optionCard));
        content->addSpacing(int(option.nameGap));
        content->addWidget(label(option.name, ThemeFonts::system(11, ui::FontWeight::semibold), optionCard));
        const auto style = option.style;
        connect(optionCard, &QAbstractButton::clicked, this,
                [this, style] { edit([style](ThemeSettings& d) { d.labels = style; }); });
        row->addWidget(optionCard);
        labelCards_[i] = optionCard;
    }
    card->content()->addLayout(row);
    return card;
}

QWidget* ThemeView::surfaceSection() {
    const auto& s = ThemeOptions::surfaceSection;
    auto* card = new SectionCard(s.title, s.subtitle);
    card->setObjectName("section.surface");

    // A segmented picker: one checkable segment per style, exactly one on.
    auto* picker = new QWidget(card);
    picker->setAccessibleName(ThemeOptions::kSurfacePickerLabel);
    auto* segments = new QHBoxLayout(picker);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    surfaces_ = new QButtonGroup(this);
    surfaces_->setExclusive(true);
    for (size_t i = 0; i < ThemeOptions::surfaces.size(); ++i) {
        const auto& option = ThemeOptions::surfaces[i];
        auto* segment = new QPushButton(option.segment, picker);
        segment->setObjectName(QString("surface.%1").arg(QString::fromStdString(rawValue(option.style))));
        segment->setCheckable(true);
        segment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        surfaces_->addButton(segment, int(i));
        segments->addWidget(segment);
    }
    connect(surfaces_, &QButtonGroup::idClicked, this, [this](int id) {
        const auto style = ThemeOptions::surfaces[size_t(id)].style;
        edit([style](ThemeSettings& d) { d.surface = style; });
    });
    card->content()->addWidget(picker);
    card->content()->addSpacing(6);
    surfaceDescription_ = label({}, ThemeFonts::system(10), card, secondaryForeground(palette()));
    surfaceDescription_->setObjectName("surfaceDescription");
    surfaceDescription_->setWordWrap(true);
    card->content()->addWidget(surfaceDescription_);
    return card;
}

void ThemeView::chooseAccent(int swatch) {
    const auto kind = ThemeOptions::swatches[size_t(swatch)];
    edit([kind](ThemeSettings& d) {
        d.accent = ThemeSettings::Accent::named(kind);
        d.followSystemAccent = false;
    });
}

void ThemeView::customColorChanged(const QColor& color) {
    const std::string hex = hexString(uiColor(color));
    edit([&hex](ThemeSettings& d) {
        d.accent = ThemeSettings::Accent::custom(hex);
        d.followSystemAccent = false;
    });
}

void ThemeView::edit(const std::function<void(ThemeSettings&)>& change) {
    change(*draft_);
    refresh();
    emit draftChanged();
}

void ThemeView::refresh() {
    const ThemeSettings& d = *draft_;
    for (size_t i = 0; i < swatches_.size(); ++i) swatches_[i]->setSelected(ThemeOptions::swatchSelected(d, ThemeOptions::swatches[i]));

    accentCaption_->setText(QString::fromStdString(ThemeOptions::accentName(d)));
    QPalette captionPal = accentCaption_->palette();
    captionPal.setColor(QPalette::WindowText,
                        d.followSystemAccent ? secondaryForeground(palette()) : qcolor(d.accent.color()));
    accentCaption_->setPalette(captionPal);

    {
        const QSignalBlocker block(follow_);
        follow_->setChecked(d.followSystemAccent);
    }
    for (size_t i = 0; i < numeralCards_.size(); ++i)
        numeralCards_[i]->setSelected(ThemeOptions::numerals[i].style == d.numerals);
    for (size_t i = 0; i < labelCards_.size(); ++i) labelCards_[i]->setSelected(ThemeOptions::labels[i].style == d.labels);
    for (size_t i = 0; i < ThemeOptions::surfaces.size(); ++i)
        if (ThemeOptions::surfaces[i].style == d.surface) surfaces_->button(int(i))->setChecked(true);
    surfaceDescription_->setText(ThemeOptions::surfaceDescription(d.surface));

    preview_->setTheme(d);
}

void ThemeView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each visit opens on the theme in force; edits left unapplied on an
    // earlier visit are gone. A window coming back from the task bar is not
    // a new visit.
    if (event->spontaneous()) return;
    *draft_ = theme_.settings();
    refresh();
    emit draftChanged();
}

void ThemeView::apply() {
    theme_.setSettings(*draft_);
    widgetkit::WidgetCenter::reloadAllTimelines();
    setApplied(true);
    // Each press waits on its own and is never cancelled: an earlier press's
    // wait may end the confirmation of a later one, as a plain timer would.
    scheduler_(kConfirmation, this, [this] { setApplied(false); });
}

void ThemeView::setApplied(bool applied) {
    applied_ = applied;
    preview_->setApplied(applied);
}

} // namespace plyx
