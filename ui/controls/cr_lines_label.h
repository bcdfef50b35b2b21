#pragma once

#include <QLabel>
#include <QString>

namespace brennquist {

// A label whose caption separates its lines by a lone carriage return.
// QLabel would draw such a CR as a blank, so the label shows the lines with
// real line breaks while caption() keeps the text exactly as it was set.
class CrLinesLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

  public:
    explicit CrLinesLabel(QWidget* parent = nullptr);

    [[nodiscard]] QString caption() const { return caption_; }
    void setCaption(const QString& caption);

  private:
    QString caption_;
};

}  // namespace brennquist
