#include "model/SKTSignature.h"

#include <QDir>

#include "model/CardHost.h"
#include "model/PictureFile.h"
#include "platform/AppContext.h"
#include "platform/ResourcePaths.h"

namespace {

const QString kSamplePath = QStringLiteral("Default");

QString sampleFileName(const QString& sign_or_FP)
{
    return sign_or_FP == QLatin1String("S") ? QStringLiteral("sign_sample.png") : QStringLiteral("fingerprints.png");
}

}  // namespace

QString SKTSignature::samplePicturePath(const QString& sign_or_FP)
{
    return QDir(Resource_Path).filePath(sampleFileName(sign_or_FP));
}

QString SKTSignature::storedPath(const QString& sign_or_FP, const QString& path)
{
    if (path.isEmpty() || Is_Resource_File_Path(path, sampleFileName(sign_or_FP)))
        return kSamplePath;
    return Stored_Picture_Path(path);
}

QString SKTSignature::pathFromStored(const QString& sign_or_FP, const QString& stored)
{
    if (stored == kSamplePath || Is_Resource_File_Path(stored, sampleFileName(sign_or_FP)))
        return samplePicturePath(sign_or_FP);
    return Stored_Picture_Path(stored);
}

std::shared_ptr<SKTSignature> SKTSignature::initWithPosition(QPointF centre, const QImage& contents,
                                                             const QString& sign_or_FP, const QString& filePath)
{
    auto signature = std::make_shared<SKTSignature>();
    signature->_contents_img = contents;
    signature->_file_path = filePath;
    signature->file_path = samplePicturePath(sign_or_FP);
    signature->Set_Sign_Or_FP(sign_or_FP);
    signature->setBounds(pictureBoxCentredOn(centre, contents));
    resetPicturePageForNewPicture();
    return signature;
}

std::shared_ptr<SKTSignature> SKTSignature::initWithPath(QPointF centre, const QString& path,
                                                         const QString& sign_or_FP)
{
    auto signature = std::make_shared<SKTSignature>();
    // The kind first, so that "Default" picks the sample of this kind.
    signature->Set_Sign_Or_FP(sign_or_FP);
    signature->setFilePath(path);
    signature->setBounds(pictureBoxCentredOn(centre, signature->_contents_img));
    resetPicturePageForNewPicture();
    return signature;
}

void SKTSignature::setFilePath(const QString& path)
{
    const QString resolved =
        Check_Path_For_App_Resources(path == kSamplePath ? samplePicturePath(Sign_Or_FP_Val()) : path);
    file_path = resolved;
    Set_Control_File_path(resolved);
    _contents_img = readPicturePreview(resolved);
}

void SKTSignature::makeNaturalSize()
{
    if (ctrl_is_locked || _contents_img.isNull())
        return;
    setBounds(QRectF(_bounds.topLeft(), _contents_img.deviceIndependentSize()));
}
