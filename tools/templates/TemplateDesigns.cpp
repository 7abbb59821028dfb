#include "TemplateDesigns.h"

namespace templates {

namespace {

Palette palette(QRgb deep, QRgb main, QRgb light, QRgb accent)
{
    return Palette{QColor(deep), QColor(main), QColor(light), QColor(accent)};
}

const char* const kStaffTerms =
    "This card remains the property of the company and must be worn visibly on the premises. "
    "It is not transferable. Report a lost card to Security at once.";
const char* const kStudentTerms =
    "This card identifies the holder as an enrolled student. It gives access to the library and "
    "campus services and must be shown on request.";
const char* const kVisitorTerms =
    "Wear this pass visibly at all times and stay with your host. Return it at reception when you leave.";
const char* const kEventTerms =
    "This badge admits the named holder to all sessions and the exhibition. It is not transferable.";
const char* const kMemberTerms =
    "Membership is personal and subject to the club rules. Show this card at the front desk on every visit.";

}  // namespace

const QList<TemplateDesign>& templateDesigns()
{
    static const QList<TemplateDesign> designs = {
        {"employee", "classic blue", Layout::Band, palette(0x0b2a4a, 0x1d4e89, 0xf4f7fb, 0xf2b134), false,
         "Northwind Systems", "EMPLOYEE", "Alex Morgan", "Senior Software Engineer", "ID", "NW-0421758",
         "Valid until 12/2028", Code::Code128, "NW-0421758", kStaffTerms,
         "Northwind Systems, Security Office\n25 Harbour Street, Bristol BS1 4QD"},
        {"employee", "corporate slate", Layout::Sidebar, palette(0x22303c, 0x3c5468, 0xf5f6f7, 0x4fb3bf), false,
         "Slate & Partners", "STAFF", "Jordan Lee", "Financial Analyst", "Staff No.", "SP-2073194",
         "Issued 03/2026", Code::Code128, "SP-2073194", kStaffTerms,
         "Slate & Partners LLP, Reception\n8 King William Street, London EC4N 7BP"},
        {"employee", "modern teal", Layout::Minimal, palette(0x0f3d3e, 0x13837b, 0xffffff, 0x13837b), false,
         "Greenleaf Health", "STAFF ID", "Samira Haddad", "Registered Nurse", "ID", "88015327",
         "Valid until 06/2027", Code::QR, "GLH-STAFF-88015327", kStaffTerms,
         "Greenleaf Health, Human Resources\n14 Meadow Lane, Leeds LS6 2AB"},
        {"student", "campus green", Layout::Band, palette(0x173d2a, 0x2e7d4f, 0xf3f8f4, 0xe9c46a), false,
         "Riverside College", "STUDENT", "Emily Carter", "BSc Environmental Science", "Student No.",
         "RC-2401668", "Valid until 07/2027", Code::Code128, "RC-2401668", kStudentTerms,
         "Riverside College, Student Services\nCollege Road, Exeter EX4 4QJ"},
        {"student", "university crimson", Layout::Sidebar, palette(0x4a0d1a, 0x8c1c32, 0xfbf6f6, 0xd4a24c), false,
         "Kingsbridge University", "STUDENT", "Daniel Okafor", "MA History of Art", "Student No.", "KU-2310745",
         "Valid until 09/2026", Code::Code128, "KU-2310745", kStudentTerms,
         "Kingsbridge University, Registry\nHigh Street, Cambridge CB2 1TN"},
        {"student", "academy navy", Layout::Panel, palette(0x101b3b, 0x24397a, 0xeef1f8, 0xf0c75e), false,
         "St. Aldric Academy", "STUDENT", "Mia Schneider", "Year 11, Form Blue", "Student No.", "11520094",
         "School year 2026/27", Code::QR, "ALDRIC-11520094", kStudentTerms,
         "St. Aldric Academy, School Office\n3 Chapel Road, York YO1 7HH"},
        {"visitor", "visitor orange", Layout::Band, palette(0x5a2300, 0xe0681b, 0xfff8f2, 0x2b2b2b), false,
         "Northwind Systems", "VISITOR", "Visitor Name", "Host: Reception", "Pass No.", "V-000127",
         "Valid today only", Code::Code128, "V-000127", kVisitorTerms,
         "Northwind Systems, Reception\n25 Harbour Street, Bristol BS1 4QD"},
        {"visitor", "guest pass", Layout::Minimal, palette(0x2d2a4a, 0x6c4ab6, 0xffffff, 0x6c4ab6), false,
         "Atrium Business Centre", "GUEST", "Guest Name", "Visiting: Floor 4", "Pass No.", "G-004518",
         "Valid today only", Code::QR, "G-004518", kVisitorTerms,
         "Atrium Business Centre, Front Desk\n1 Station Square, Reading RG1 1LP"},
        {"event", "conference purple", Layout::Panel, palette(0x1f1147, 0x5b2a86, 0xf6f2fb, 0xf7b32b), true,
         "TechForward 2026", "DELEGATE", "Priya Raman", "Cloudline Ltd.", "Badge", "TF-10482",
         "14-16 October 2026", Code::QR, "TF26-DELEGATE-10482", kEventTerms,
         "TechForward Registration Desk\nExCeL London, Royal Victoria Dock E16 1XL"},
        {"event", "summit sunset", Layout::Band, palette(0x3d0f2b, 0xc0392b, 0xfff7f0, 0xf39c12), true,
         "Green Futures Summit", "SPEAKER", "Lucas Bernard", "Keynote, Day 1", "Badge", "GFS-0031",
         "22-23 May 2026", Code::Code128, "GFS-0031", kEventTerms,
         "Green Futures Summit Office\n9 Queen's Quay, Glasgow G3 8BW"},
        {"membership", "gold member", Layout::Panel, palette(0x1a1a1a, 0x3a3a3a, 0xf7f3e8, 0xc9a227), false,
         "The Regent Club", "GOLD MEMBER", "Charlotte Hughes", "Member since 2019", "Member No.", "RC-7781",
         "Renews 01/2027", Code::QR, "REGENT-GOLD-7781", kMemberTerms,
         "The Regent Club, Membership Office\n42 Pall Mall, London SW1Y 5JG"},
        {"membership", "fitness club", Layout::Sidebar, palette(0x0d2b36, 0x0e7c86, 0xf1f8f9, 0xff7a59), false,
         "Pulse Fitness", "MEMBER", "Ryan Patel", "All-access membership", "Member No.", "PF-5509231",
         "Valid until 02/2027", Code::Code128, "PF-5509231", kMemberTerms,
         "Pulse Fitness, Front Desk\n77 Mill Road, Manchester M4 6BE"},
    };
    return designs;
}

}  // namespace templates
