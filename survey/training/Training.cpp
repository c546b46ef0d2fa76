// CTraining's output to the simulator: its two settings files and its three sentences.
#include "survey/records/Training.h"

#include "foundation/ConfigFile.h"
#include "foundation/CsvParser.h"

#include <cstring>

namespace
{
// Wind speed of each wind state (metres per second), from "0-1 Calm" to "7-8 Gale". Calm is
// kept as the single-precision 0.2 that the simulator's readers have always been sent.
const double kWindSpeeds[] = {static_cast<double>(0.2f), 1.5, 2.5, 3.5, 4.5, 5.5};
const int kWindStates = static_cast<int>(sizeof kWindSpeeds / sizeof kWindSpeeds[0]);

// The sea that goes with any wind state.
const float kWaveFrequency = 0.5f;
const float kWaveSpeed = 1.0f;
const int kNumberOfWaves = 16;

void Send(CUdpSender& sender, const CString& text)
{
    sender.SendToAll(text.GetString(), text.GetLength());
}
} // namespace

void CTraining::SaveSettings()
{
    // The four routes share one key: the reader takes them back in this order.
    CConfigFile::WriteSettingsFile("Training", [this](CConfigFile& file) {
        file.WriteBool("Use", m_Use);
        file.WriteInt("Vessel Port", m_VesselPort);
        file.WriteInt("Mode", m_HelicopterMode);
        file.WriteText("Waypoint File Name", m_WaypointFileName);
        file.WriteText("Waypoint Name", m_WaypointName);
        file.WriteDouble("Speed", m_HelicopterSpeed, 3);
        file.WriteText("Route", m_HelicopterRouteName);
        for (const TrainingVesselDef& vessel : m_Vessels)
            file.WriteText("Route", vessel.RouteName);
    });
    SaveEnvironmentSettings();
}

void CTraining::SaveEnvironmentSettings()
{
    in_addr address;
    address.s_addr = m_IpAddress;
    char dotted[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &address, dotted, sizeof dotted))
        dotted[0] = '\0';
    CConfigFile::WriteSettingsFile("Environment", [&](CConfigFile& file) {
        file.WriteInt("Connection Type", m_ConnectionType);
        file.WriteInt("Serial Port", m_SerialPort);
        file.WriteUnsigned("BaudRate", m_BaudRate);
        file.WriteInt("UDP Port", m_EnvironmentPort);
        file.WriteText("IP Address", dotted);
        file.WriteInt("Time Of Day", m_TimeOfDay);
        file.WriteBool("Rain", m_Rain);
        file.WriteBool("Fog", m_Fog);
        file.WriteDouble("Fog Density", m_FogDensity, 3);
        file.WriteInt("Wind State", m_WindState);
        file.WriteDouble("Wind Direction", m_WindDirection, 3);
    });
}

void CTraining::SendStop(int object)
{
    if (!m_Use)
        return;
    CString text;
    text.Format("$NTSTP, %02d\r\n", object);
    if (m_SerialPort > 0 && m_pComArray)
        m_pComArray->WriteToPort(static_cast<unsigned short>(m_SerialPort), text);
    Send(m_NavigationSender, text);
}

void CTraining::SendWind()
{
    CCsvParser sentence;
    sentence.SetLine("$GPMWV");
    sentence.AddFloat(m_WindDirection, 1);
    sentence.AddChar('T');
    sentence.AddDouble(m_WindSpeed, 1);
    sentence.AddChar('M');
    sentence.AddChar('A');
    // No field may carry a quote into the sentence or its checksum.
    CString line = sentence.GetLine();
    line.Remove('"');
    sentence.SetLine(line);
    Send(m_EnvironmentSender, sentence.AddChecksum());
}

void CTraining::SendEnvironment()
{
    CCsvParser sentence;
    sentence.SetLine("$GPGOD");
    sentence.AddInt(m_TimeOfDay);
    sentence.AddBool(m_Rain);
    sentence.AddBool(m_Fog);
    sentence.AddFloat(m_FogDensity, 3);
    Send(m_EnvironmentSender, sentence.AddChecksum());
}

void CTraining::SetWindState(int state)
{
    m_WindState = state;
    if (state >= 0 && state < kWindStates)
        m_WindSpeed = kWindSpeeds[state];
    m_WaveFrequency = kWaveFrequency;
    m_WaveSpeed = kWaveSpeed;
    m_NumberOfWaves = kNumberOfWaves;
    SendWind();
    SendEnvironment();
}
